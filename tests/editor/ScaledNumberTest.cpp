// The integer exchange of the decimal entries: text to integer, integer to text, and the edit
// that keeps what the user typed.
#include <QMetaProperty>
#include <QString>

#include <climits>

#include <gtest/gtest.h>

#include "editor/dialogs/ScaledEdit.h"
#include "editor/dialogs/ScaledNumber.h"

namespace grayden {
namespace {

// Every exponent a user can type, and every panel gamma, reads back as the number typed.
TEST(ScaledNumber, EveryThousandthAndTenthFrom0To10KeepsItsValue) {
    int wrong = 0;
    for (int i = 0; i <= 10000; ++i) {
        const QString typed = QString::asprintf("%d.%03d", i / 1000, i % 1000);
        if (scaledFromText(typed, 1000) != i || textForScaled(i, 1000) != typed) ++wrong;
        if (i % 100 == 0 && scaledFromText(QString::asprintf("%d.%d", i / 1000, i / 100 % 10), 10) != i / 100) ++wrong;
    }
    EXPECT_EQ(wrong, 0);
}

struct TextCase {
    const char* text;
    double scale;
    int scaled;
};

TEST(ScaledNumber, TextReadsItsLeadingNumberCutsExtraDigitsAndSaturates) {
    const TextCase cases[] = {
        {"1.0005", 1000, 1000}, {"2.25", 10, 22},         {"0.9999999", 1000, 999}, {"  2.5abc", 10, 25},
        {"+3", 10, 30},         {"-1.001", 1000, -1001},  {"1e-3", 1000, 1},        {"abc", 10, 0},
        {"", 1000, 0},          {"1e300", 1000, INT_MAX}, {"-1e300", 10, INT_MIN},  {"inf", 10, INT_MAX},
        {"nan", 1000, 0},
    };
    for (const TextCase& c : cases) EXPECT_EQ(scaledFromText(c.text, c.scale), c.scaled) << c.text;
    EXPECT_EQ(textForScaled(22, 10), "2.2");
    EXPECT_EQ(textForScaled(-1, 1000), "-0.001");
}

TEST(ScaledEdit, WritesReformatOnlyWhenTheTextStandsForAnotherInteger) {
    ScaledEdit edit(1000);
    EXPECT_EQ(edit.decimals(), 3);
    edit.metaObject()->userProperty().write(&edit, 1001);
    EXPECT_EQ(edit.text(), "1.001");
    for (const char* typed : {"1.0005", "1.", "", " 0"}) {
        edit.setText(typed);
        edit.setScaledValue(edit.scaledValue());
        EXPECT_EQ(edit.text(), typed);
    }
    edit.setScaledValue(500);
    EXPECT_EQ(edit.text(), "0.500");
}

}  // namespace
}  // namespace grayden
