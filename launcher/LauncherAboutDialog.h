#pragma once

#include <QDialog>

#include "ui/DialogTemplate.h"

class QLabel;
class QPushButton;

namespace grayden {

class DocumentOpener;
class HyperlinkStatic;

// The version box: product and version, and the rights notice as a link to the project's web
// page. The link turns blue under the pointer and black again when the pointer is anywhere else
// in the box.
class LauncherAboutDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int TemplateId = 100;
    static constexpr int VersionLabelId = 1010;
    static constexpr int NoticeLabelId = 1011;
    static constexpr int CloseButtonId = 1015;

    explicit LauncherAboutDialog(DocumentOpener& opener, QWidget* parent = nullptr);

    HyperlinkStatic* versionLabel() const { return versionLabel_; }
    HyperlinkStatic* noticeLabel() const { return noticeLabel_; }
    QPushButton* closeButton() const { return closeButton_; }
    QLabel* iconLabel() const { return iconLabel_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void restoreLinkColour();

    DialogTemplate template_;
    QLabel* iconLabel_ = nullptr;
    HyperlinkStatic* versionLabel_ = nullptr;
    HyperlinkStatic* noticeLabel_ = nullptr;
    QPushButton* closeButton_ = nullptr;
};

}  // namespace grayden
