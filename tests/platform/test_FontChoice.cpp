// Tests of the FontChoice ↔ QFont/QColor mapping behind the font dialog.
#include "platform/QtDialogs.h"

#include "TestRegistry.h"

#include <QtTest>

using orvane::FontChoice;

Q_DECLARE_METATYPE(FontChoice)

namespace {
FontChoice with(void (*change)(FontChoice&)) {
    FontChoice choice;
    choice.family = QStringLiteral("宋体");
    change(choice);
    return choice;
}
} // namespace

class FontChoiceTest : public QObject {
    Q_OBJECT

private slots:
    void mapping_data() {
        QTest::addColumn<FontChoice>("choice");
        QTest::newRow("plain font gains an effect") << with([](FontChoice&) {});
        QTest::newRow("bold lost") << with([](FontChoice& c) { c.bold = true; });
        QTest::newRow("italic lost") << with([](FontChoice& c) { c.italic = true; });
        QTest::newRow("underline lost") << with([](FontChoice& c) { c.underline = true; });
        QTest::newRow("strike-out lost") << with([](FontChoice& c) { c.strikeOut = true; });
        QTest::newRow("size lost") << with([](FontChoice& c) { c.pointSize = 16; });
        QTest::newRow("family lost") << with(
            [](FontChoice& c) { c.family = QStringLiteral("WenQuanYi Micro Hei"); });
        QTest::newRow("red stored as blue") << with([](FontChoice& c) { c.color = 0xFF0000; });
        QTest::newRow("colour bytes swapped") << with([](FontChoice& c) { c.color = 0x123456; });
        QTest::newRow("white gains alpha bits") << with([](FontChoice& c) { c.color = 0xFFFFFF; });
    }
    void mapping() {
        QFETCH(FontChoice, choice);
        const QFont font = orvane::fontOf(choice);
        const QColor color = orvane::colorOf(choice);
        QCOMPARE(font.family(), choice.family);
        QCOMPARE(font.pointSize(), choice.pointSize);
        QCOMPARE(font.bold(), choice.bold);
        QCOMPARE(font.italic(), choice.italic);
        QCOMPARE(font.underline(), choice.underline);
        QCOMPARE(font.strikeOut(), choice.strikeOut);
        QCOMPARE(color.red(), int(choice.color >> 16 & 0xFF));
        QCOMPARE(color.green(), int(choice.color >> 8 & 0xFF));
        QCOMPARE(color.blue(), int(choice.color & 0xFF));

        const FontChoice back = orvane::fontChoiceOf(font, color);
        QCOMPARE(back.family, choice.family);
        QCOMPARE(back.pointSize, choice.pointSize);
        QCOMPARE(back.bold, choice.bold);
        QCOMPARE(back.italic, choice.italic);
        QCOMPARE(back.underline, choice.underline);
        QCOMPARE(back.strikeOut, choice.strikeOut);
        QCOMPARE(back.color, choice.color);
    }
};

ORVANE_TEST(FontChoiceTest)
#include "test_FontChoice.moc"
