// The settings dialogs and the version box on their own: texts and geometry from their templates
// in both languages, the arrows, and the checks made on OK.
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <climits>
#include <memory>

#include <gtest/gtest.h>

#include "editor/dialogs/AboutDialog.h"
#include "editor/dialogs/ControlPointsDialog.h"
#include "editor/dialogs/DefaultCurveDialog.h"
#include "editor/dialogs/PanelCharacteristicDialog.h"
#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/SpinArrows.h"
#include "engine/ControlPoint.h"
#include "render/UiText.h"
#include "resources/StringIds.h"
#include "tests/editor/RecordingInteraction.h"
#include "ui/DialogUnits.h"

namespace grayden::test {
namespace {

class SettingsDialogs : public ::testing::Test {
protected:
    ~SettingsDialogs() override { setUiLanguage(Language::English); }

    // Replaces the edit's text as typing would, then presses a key in it.
    static void typeAndPress(ScaledEdit& edit, const char* text, Qt::Key key) {
        edit.selectAll();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, key);
    }

    RecordingInteraction user;
};

std::unique_ptr<TemplateDialog> makeDialog(int templateId, UserInteraction& user) {
    switch (templateId) {
    case ControlPointsDialog::TemplateId:
        return std::make_unique<ControlPointsDialog>(CurvePointCount, 2, user, nullptr);
    case DefaultCurveDialog::TemplateId: return std::make_unique<DefaultCurveDialog>(1.0, 2.2, user, nullptr);
    case PanelCharacteristicDialog::TemplateId: return std::make_unique<PanelCharacteristicDialog>(2.2, user, nullptr);
    default: return std::make_unique<AboutDialog>(user, nullptr);
    }
}

struct DialogCase {
    Language language;
    int templateId;
    const char* title;
    QRect okRect;  // dialog units
    QSize size;    // dialog units
};

TEST_F(SettingsDialogs, OpenInBothLanguagesInDialogUnitsWithTextsThatFitAndCloseWithEscape) {
    const DialogCase cases[] = {
        {Language::English, 130, "Control Points", {35, 40, 50, 11}, {187, 59}},
        {Language::English, 131, "Default Curve Setting", {119, 39, 50, 11}, {355, 56}},
        {Language::English, 132, "Panel Characteristic", {35, 40, 50, 11}, {187, 59}},
        {Language::English, 100, "About LCD Ombrel Utility", {271, 8, 50, 11}, {331, 45}},
        {Language::Japanese, 130, "制御点", {35, 50, 50, 14}, {187, 73}},
        {Language::Japanese, 131, "既定曲線のセット", {104, 48, 50, 14}, {339, 70}},
        {Language::Japanese, 132, "パネル特性", {35, 50, 50, 14}, {187, 73}},
        {Language::Japanese, 100, "バージョン情報", {271, 8, 50, 14}, {331, 59}},
    };
    for (const DialogCase& c : cases) {
        setUiLanguage(c.language);
        const std::unique_ptr<TemplateDialog> dialog = makeDialog(c.templateId, user);
        SCOPED_TRACE(::testing::Message()
                     << "dialog " << c.templateId << (c.language == Language::English ? " en" : " ja"));
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.title));
        const QSize base = dialogBaseUnits(dialog->font());
        EXPECT_EQ(dialog->size(), mapDialogSize(c.size, base));
        ASSERT_NE(dialog->controlAs<QPushButton>(TemplateDialog::OkId), nullptr);
        EXPECT_EQ(dialog->control(TemplateDialog::OkId)->geometry(), mapDialogRect(c.okRect, base));
        if (auto* cancel = dialog->controlAs<QPushButton>(TemplateDialog::CancelId)) {
            EXPECT_EQ(cancel->text(), c.language == Language::English ? "Cancel" : QString::fromUtf8("ｷｬﾝｾﾙ"));
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
                << label->text().toStdString();
        }
        dialog->show();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
    }
}

TEST_F(SettingsDialogs, ControlPointsListsTheSevenCountsWithTheCurrentOneSelected) {
    ControlPointsDialog dialog(CurvePointCount, 5, user, nullptr);
    dialog.show();
    QStringList items;
    for (int i = 0; i < dialog.countList().count(); ++i) items << dialog.countList().itemText(i);
    EXPECT_EQ(items, QStringList({"3", "5", "9", "16", "24", "33", "256"}));
    EXPECT_EQ(dialog.countList().currentIndex(), 5);
    dialog.countList().setCurrentIndex(6);
    QTest::keyClick(&dialog.countList(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selection(), 6);
}

TEST_F(SettingsDialogs, DefaultCurveTextsFollowTheTypedExponentWithoutReformattingIt) {
    DefaultCurveDialog dialog(1.0, 2.2, user, nullptr);
    ScaledEdit& edit = dialog.exponentEdit();
    EXPECT_EQ(edit.text(), "1.000");
    EXPECT_EQ(dialog.panelLabel().text(), "Panel Gamma : 2.20");
    EXPECT_EQ(dialog.totalLabel().text(), "Total Gamma : 2.200");
    typeAndPress(edit, "1.0005", Qt::Key_End);
    EXPECT_EQ(edit.text(), "1.0005");
    edit.setText("2");
    EXPECT_EQ(dialog.totalLabel().text(), "Total Gamma : 4.400");

    // A thousandth per arrow step, also beyond the accepted range: the check is OK's.
    QTest::mouseClick(&dialog.arrows().upButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "2.001");
    EXPECT_EQ(dialog.totalLabel().text(), "Total Gamma : 4.402");
    typeAndPress(edit, "0.5", Qt::Key_Down);
    EXPECT_EQ(edit.text(), "0.499");
    typeAndPress(edit, "1e12", Qt::Key_Up);
    EXPECT_EQ(edit.scaledValue(), INT_MAX);
}

struct AcceptCase {
    const char* typed;
    bool accepted;
    double value;
};

TEST_F(SettingsDialogs, DefaultCurveAcceptsExponentsFromHalfToTenAndStaysOpenOtherwise) {
    const AcceptCase cases[] = {{"0.5", true, 0.5},    {"10", true, 10.0},    {"1.001", true, 1.001},
                                {"2.2009", true, 2.2}, {"0.499", false, 1.0}, {"10.001", false, 1.0},
                                {"abc", false, 1.0}};
    for (const AcceptCase& c : cases) {
        DefaultCurveDialog dialog(1.0, 2.2, user, nullptr);
        dialog.show();
        user.messageTexts.clear();
        typeAndPress(dialog.exponentEdit(), c.typed, Qt::Key_Return);
        EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.typed;
        EXPECT_EQ(dialog.exponent(), c.value) << c.typed;
        EXPECT_EQ(user.messageTexts, c.accepted ? std::vector<QString>{} : std::vector{uiText(MsgExponentOutOfRange)});
        EXPECT_EQ(dialog.exponentEdit().text(), c.typed);
    }
}

TEST_F(SettingsDialogs, PanelGammaAcceptsTenthsFromOneTenthToTenAndRefocusesTheEditOtherwise) {
    const AcceptCase cases[] = {
        {"0.1", true, 0.1}, {"10", true, 10.0}, {"2.25", true, 2.2}, {"0", false, 2.2}, {"10.1", false, 2.2}};
    for (const AcceptCase& c : cases) {
        PanelCharacteristicDialog dialog(2.2, user, nullptr);
        dialog.show();
        EXPECT_EQ(dialog.gammaEdit().text(), "2.2");
        user.messageTexts.clear();
        typeAndPress(dialog.gammaEdit(), c.typed, Qt::Key_Return);
        EXPECT_EQ(dialog.isVisible(), !c.accepted) << c.typed;
        EXPECT_EQ(dialog.panelGamma(), c.value) << c.typed;
        if (c.accepted) continue;
        EXPECT_EQ(user.messageTexts, std::vector<QString>{"Input the number between 0.1 and 10."});
        EXPECT_EQ(dialog.focusWidget(), &dialog.gammaEdit());
        EXPECT_EQ(dialog.gammaEdit().selectedText(), c.typed);
    }
    setUiLanguage(Language::Japanese);
    PanelCharacteristicDialog japanese(0.5, user, nullptr);
    japanese.show();
    typeAndPress(japanese.gammaEdit(), "11", Qt::Key_Return);
    EXPECT_EQ(user.messageTexts.back(), QString::fromUtf8("0.1 から 10 までの数字を入力してください。"));
}

TEST_F(SettingsDialogs, PanelGammaArrowsSitAtTheEditsRightEdgeAndStepATenthWithinTheRange) {
    PanelCharacteristicDialog dialog(9.9, user, nullptr);
    SpinArrows& arrows = dialog.arrows();
    ScaledEdit& edit = dialog.gammaEdit();
    EXPECT_EQ(arrows.geometry().right(), mapDialogRect(QRect(72, 14, 89, 12), dialog.baseUnits()).right());
    EXPECT_EQ(edit.geometry().right() + 1, arrows.x());
    for (const auto& [direction, shown] : {std::pair{1, "10.0"}, {1, "10.0"}, {-1, "9.9"}}) {
        arrows.step(direction);
        EXPECT_EQ(edit.text(), shown);
    }
    edit.setText("0.1");
    QTest::mouseClick(&arrows.downButton(), Qt::LeftButton);
    EXPECT_EQ(edit.text(), "0.1");
    QTest::keyClick(&edit, Qt::Key_Up);
    EXPECT_EQ(edit.text(), "0.2");
}

TEST_F(SettingsDialogs, TheVersionBoxShowsTheIconVersionAndRightsAndClosesWithEnter) {
    AboutDialog dialog(user, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.controlAs<QLabel>(AboutDialog::VersionLabelId)->text(), "LCD Ombrel Utility Ver2.0.0");
    QStringList texts;
    int icons = 0;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        texts << label->text();
        icons += label->pixmap().isNull() ? 0 : 1;
    }
    EXPECT_EQ(icons, 1);
    EXPECT_TRUE(texts.contains(uiText(RightsNotice)));
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace grayden::test
