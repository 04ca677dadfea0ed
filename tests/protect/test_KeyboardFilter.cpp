// KeyboardFilter: which key events the lock swallows, and how it tells the left Ctrl key from the right.
#include "TestRegistry.h"
#include "protect/KeyboardFilter.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

namespace {

// The keys as X11 reports them: Qt key, keysym, keycode.
KeyStroke x11(const QString& key, KeyDirection direction) {
    static const QHash<QString, KeyStroke> keys{
        {QStringLiteral("Super_L"), {{}, Qt::Key_Super_L, 0xffeb, 133}},
        {QStringLiteral("Super_R"), {{}, Qt::Key_Super_R, 0xffec, 134}},
        {QStringLiteral("Control_L"), {{}, Qt::Key_Control, 0xffe3, 37}},
        {QStringLiteral("Control_R"), {{}, Qt::Key_Control, 0xffe4, 105}},
        {QStringLiteral("Escape"), {{}, Qt::Key_Escape, 0xff1b, 9}},
        {QStringLiteral("a"), {{}, Qt::Key_A, 0x61, 38}},
    };
    KeyStroke stroke = keys.value(key);
    stroke.direction = direction;
    return stroke;
}

// "Control_L down" → the stroke.
KeyStroke parse(const QString& text) {
    const QStringList words = text.split(u' ');
    return x11(words.at(0), words.at(1) == QLatin1String("down") ? KeyDirection::Down : KeyDirection::Up);
}

} // namespace

class KeyboardFilterTest : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data() {
        QTest::addColumn<QStringList>("before"); // strokes that went through the filter first
        QTest::addColumn<QString>("stroke");
        QTest::addColumn<bool>("swallowed");
        const QStringList none;
        const QStringList left{QStringLiteral("Control_L down")};
        const QStringList right{QStringLiteral("Control_R down")};
        for (const char* super : {"Super_L", "Super_R"})
            for (const char* dir : {"down", "up"})
                for (const auto& [held, strokes] :
                     {std::pair{"nothing", none}, {"left Ctrl", left}, {"right Ctrl", right}}) {
                    const QString stroke = QString::fromLatin1(super) + u' ' + QLatin1String(dir);
                    QTest::addRow("%s %s with %s held reaches the desktop", super, dir, held)
                        << strokes << stroke << true;
                }
        QTest::newRow("left Ctrl+Esc opens the start menu") << left << u"Escape down"_s << true;
        QTest::newRow("Esc with left Ctrl held repeats") << (left + left) << u"Escape down"_s << true;
        QTest::newRow("Esc going up is not examined") << left << u"Escape up"_s << false;
        QTest::newRow("right Ctrl+Esc reaches the system") << right << u"Escape down"_s << false;
        QTest::newRow("Esc alone is a plain key") << none << u"Escape down"_s << false;
        QTest::newRow("left Ctrl released frees Esc")
            << QStringList{u"Control_L down"_s, u"Control_L up"_s} << u"Escape down"_s << false;
        QTest::newRow("right Ctrl going up does not release the left")
            << QStringList{u"Control_L down"_s, u"Control_R down"_s, u"Control_R up"_s} << u"Escape down"_s
            << true;
        QTest::newRow("left Ctrl+a still types") << left << u"a down"_s << false;
        QTest::newRow("a key between keeps left Ctrl held")
            << QStringList{u"Control_L down"_s, u"a down"_s, u"a up"_s} << u"Escape down"_s << true;
        for (const char* ctrl : {"Control_L", "Control_R"})
            for (const char* dir : {"down", "up"})
                QTest::addRow("%s %s passes", ctrl, dir)
                    << none << QString::fromLatin1(ctrl) + u' ' + QLatin1String(dir) << false;
    }
    void verdicts() {
        QFETCH(QStringList, before);
        QFETCH(QString, stroke);
        QFETCH(bool, swallowed);
        KeyboardFilterState state;
        for (const QString& earlier : before)
            QCOMPARE(KeyboardFilter(state, parse(earlier)), KeyVerdict::Pass);
        QCOMPARE(KeyboardFilter(state, parse(stroke)) == KeyVerdict::Swallow, swallowed);
    }

    // The side of a Ctrl key from whatever the platform gives: keysym first, then keycode.
    void ctrlSide_data() {
        QTest::addColumn<quint32>("keysym");
        QTest::addColumn<quint32>("keycode");
        QTest::addColumn<int>("side");
        QTest::newRow("X11 left") << 0xffe3u << 37u << int(LockKey::LeftCtrl);
        QTest::newRow("X11 right") << 0xffe4u << 105u << int(LockKey::RightCtrl);
        QTest::newRow("keysym wins over a remapped keycode") << 0xffe4u << 66u << int(LockKey::RightCtrl);
        QTest::newRow("Caps Lock made a left Ctrl") << 0xffe3u << 66u << int(LockKey::LeftCtrl);
        QTest::newRow("keycode alone tells right") << 0u << 105u << int(LockKey::RightCtrl);
        QTest::newRow("keycode alone tells left") << 0u << 37u << int(LockKey::LeftCtrl);
        QTest::newRow("no native codes count as left") << 0u << 0u << int(LockKey::LeftCtrl);
    }
    void ctrlSide() {
        QFETCH(quint32, keysym);
        QFETCH(quint32, keycode);
        QFETCH(int, side);
        QCOMPARE(int(classifyKey({KeyDirection::Down, Qt::Key_Control, keysym, keycode})), side);
    }

    void superWithoutNativeCodes() {
        // Offscreen and on platforms that give no keysym, Qt's own key still names the Super keys.
        KeyboardFilterState state;
        for (const int key : {int(Qt::Key_Super_L), int(Qt::Key_Super_R)})
            QCOMPARE(KeyboardFilter(state, {KeyDirection::Down, key, 0, 0}), KeyVerdict::Swallow);
    }
};

ORVANE_TEST(KeyboardFilterTest)
#include "test_KeyboardFilter.moc"
