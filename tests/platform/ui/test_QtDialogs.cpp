// Tests of the real dialogs: the window a box belongs to, and the FontChoice ↔ QFont/QColor mapping
// behind the font dialog.
#include "platform/QtDialogs.h"

#include "TestRegistry.h"

#include <QApplication>
#include <QFontComboBox>
#include <QMessageBox>
#include <QTimer>
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

    // The face the box shows is the face stored, and a stored face opens the box on itself again.
    void dialogReturnsTheShownFace_data() {
        QTest::addColumn<QString>("initial");
        QTest::newRow("no face yet: the default font's alias was stored") << QString();
        QTest::newRow("a face this machine lacks: the request was stored") << QStringLiteral("宋体");
    }
    void dialogReturnsTheShownFace() {
        QFETCH(QString, initial);
        orvane::QtDialogs dialogs;
        QString shown;
        const auto acceptShowing = [&shown] {
            auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            shown = box->findChild<QFontComboBox*>()->currentText();
            box->accept();
        };
        FontChoice start;
        start.family = initial;
        QTimer::singleShot(0, acceptShowing);
        const std::optional<FontChoice> chosen = dialogs.chooseFont(start);
        QVERIFY(chosen.has_value());
        QVERIFY(!shown.isEmpty());
        QCOMPARE(chosen->family, shown);

        const QString first = shown;
        QTimer::singleShot(0, acceptShowing);
        QCOMPARE(dialogs.chooseFont(*chosen)->family, first);
        QCOMPARE(shown, first);
    }
};

ORVANE_TEST(FontChoiceTest)

// A box belongs to the window in use, so it opens over it and leaves it in front when it closes; the main
// window only takes boxes nobody's window asked for.
class DialogOwnerTest : public QObject {
    Q_OBJECT

private slots:
    void owner_data() {
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("owner");
        QTest::newRow("main window in the tray, nothing shown") << QString() << QStringLiteral("main");
        QTest::newRow("editor in use") << QStringLiteral("editor") << QStringLiteral("editor");
        QTest::newRow("main window in use") << QStringLiteral("main") << QStringLiteral("main");
        QTest::newRow("active window hidden meanwhile") << QStringLiteral("gone") << QStringLiteral("main");
    }
    void owner() {
        QFETCH(QString, active);
        QFETCH(QString, owner);
        QWidget main;
        main.setObjectName(QStringLiteral("main"));
        QWidget editor(&main, Qt::Window);
        editor.setObjectName(QStringLiteral("editor"));
        QWidget gone;
        gone.setObjectName(QStringLiteral("gone"));
        if (!active.isEmpty()) {
            for (QWidget* w : {&main, &editor, &gone})
                w->show();
            QCoreApplication::processEvents(); // the platform's own activation of the shown windows first
            QWidget* activeWindow = &editor;
            if (active == QLatin1String("main"))
                activeWindow = &main;
            if (active == QLatin1String("gone"))
                activeWindow = &gone;
            QApplication::setActiveWindow(activeWindow);
        }
        if (active == QLatin1String("gone"))
            gone.hide();

        orvane::QtDialogs dialogs(&main);
        QString parentName;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box != nullptr);
            parentName = box->parentWidget() ? box->parentWidget()->objectName() : QStringLiteral("none");
            // Wide enough for its caption beside the title bar's buttons, however short the text.
            QVERIFY(box->width() >= box->fontMetrics().horizontalAdvance(box->windowTitle()) + 160);
            box->close();
        });
        dialogs.message(QStringLiteral("测试"));
        QCOMPARE(parentName, owner);
    }

    void boxOverAModalBoxBelongsToIt() {
        QWidget main;
        main.show();
        orvane::QtDialogs dialogs(&main);
        QMessageBox first(QMessageBox::NoIcon, QStringLiteral("信息："), QStringLiteral("一"),
                          QMessageBox::Ok, &main);
        first.setWindowModality(Qt::ApplicationModal);
        first.show();
        QCOMPARE(dialogs.owner(), &first);
    }
};

ORVANE_TEST(DialogOwnerTest)
#include "test_QtDialogs.moc"
