// The diary page and its editor through their real widgets, on a database file and settings of their own.
#include "AlarmFixture.h"
#include "ScriptedDialogs.h"
#include "TestRegistry.h"
#include "diary/DiaryEditorWindow.h"
#include "diary/DiaryFont.h"
#include "diary/DiaryPage.h"
#include "diary/DiaryStore.h"
#include "platform/IniProfile.h"

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QtTest>

using namespace orvane;
using namespace orvane::test;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(orvane::FontChoice)

namespace {

QByteArray bytesOf(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// The page on a window of its own over the program's own database file, with the given entries.
struct Fixture : AlarmFixture {
    ScriptedDialogs dialogs;
    QWidget window;
    QWidget* page = new QWidget(&window);
    DiaryPage* diary = new DiaryPage(page, db, dialogs, paths);

    explicit Fixture(const QStringList& texts = {}) {
        QVERIFY(ready);
        for (const QString& text : texts)
            QVERIFY(insertDiaryEntry(db, text));
        page->setGeometry(0, 0, 373, 245);
        window.show();
        diary->LoadDiaryList();
    }
    QTreeWidget* list() const { return diary->lists().shown; }
    QStringList column(QTreeWidget* l, int c) const {
        QStringList texts;
        for (int i = 0; i < l->topLevelItemCount(); ++i)
            texts << l->topLevelItem(i)->text(c);
        return texts;
    }
    QStringList stored() {
        QStringList texts;
        for (const DiaryEntry& e : readDiaryEntries(db))
            texts << e.text;
        return texts;
    }
    void doubleClick(int row) { // -1: below the rows, with nothing selected
        list()->clearSelection();
        const QPoint at = row < 0 ? QPoint(20, list()->viewport()->height() - 4)
                                  : list()->visualItemRect(list()->topLevelItem(row)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }
    void menu(const QString& item) {
        for (QAction* a : diary->diaryMenu()->actions())
            if (a->text() == item)
                a->trigger();
    }
    QPlainTextEdit* box() const { return diary->editor()->textBox(); }
    void editorMenu(const QString& item) {
        for (QAction* a : diary->editor()->findChildren<QAction*>())
            if (a->text() == item)
                a->trigger();
    }
};

// The font the box shows, in the dialog's terms.
FontChoice shownFont(QPlainTextEdit* box) {
    box->ensurePolished();
    const QFont f = box->font();
    return {f.family(),
            f.pointSize(),
            f.bold(),
            f.italic(),
            f.underline(),
            f.strikeOut(),
            box->palette().color(QPalette::Text).rgb() & 0xFFFFFFu};
}

// An application style sheet as the skin sets one, removed again however the test ends.
struct Skin {
    explicit Skin(bool on) {
        if (on)
            qApp->setStyleSheet(u"QWidget { font-family: sans-serif; font-size: 9pt; color: #2f3b4a; }"_s);
    }
    ~Skin() { qApp->setStyleSheet(QString()); }
};

} // namespace

class DiaryPageTest : public QObject {
    Q_OBJECT
private slots:
    // The only way to a new entry is the menu: it must open on an empty diary too.
    void menuOpensOnAnEmptyList() {
        Fixture f;
        QCOMPARE(f.list()->topLevelItemCount(), 0);
        f.diary->ShowDiaryMenu(QPoint(20, 20));
        QVERIFY(f.diary->diaryMenu()->isVisible());
        f.diary->diaryMenu()->hide();
    }

    void listsAreFilledRowForRow_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("empty table gives two empty lists, also after a fuller load") << QStringList();
        QTest::newRow("rows shown by position with their keys hidden") << QStringList{u"一"_s, u"二"_s};
    }
    void listsAreFilledRowForRow() {
        QFETCH(QStringList, texts);
        Fixture f({u"old"_s});
        QVERIFY(f.db.execute(u"delete from [记事本]"_s));
        for (const QString& text : texts)
            QVERIFY(insertDiaryEntry(f.db, text));
        f.diary->LoadDiaryList();
        QStringList numbers, keys;
        for (int i = 0; i < texts.size(); ++i)
            numbers << QString::number(i + 1), keys << QString::number(i + 2); // key 1 was "old"
        QCOMPARE(f.column(f.list(), 0), numbers);
        QCOMPARE(f.column(f.list(), 1), texts);
        QCOMPARE(f.column(f.diary->lists().keys, 0), keys);
        QVERIFY(f.diary->lists().keys->isHidden());
    }

    void deleteRenumbers_data() {
        QTest::addColumn<int>("row"); // -1: none selected
        QTest::addColumn<QStringList>("left");
        QTest::addColumn<QString>("message");
        QTest::newRow("row 2 of 3: row 3 becomes number 2, keeps its key")
            << 1 << QStringList{u"a"_s, u"c"_s} << u"删除成功！"_s;
        QTest::newRow("first row") << 0 << QStringList{u"b"_s, u"c"_s} << u"删除成功！"_s;
        QTest::newRow("no selection deletes nothing")
            << -1 << QStringList{u"a"_s, u"b"_s, u"c"_s} << u"请现在要删除的日记！"_s;
    }
    void deleteRenumbers() {
        QFETCH(int, row);
        QFETCH(QStringList, left);
        QFETCH(QString, message);
        Fixture f({u"a"_s, u"b"_s, u"c"_s});
        if (row >= 0)
            f.list()->topLevelItem(row)->setSelected(true);
        f.menu(u"删除日记"_s);
        QCOMPARE(f.dialogs.log(), QStringList{u"message 信息：|"_s + message});
        QCOMPARE(f.stored(), left);
        QCOMPARE(f.column(f.list(), 1), left);
        QCOMPARE(f.column(f.list(), 0).last(), QString::number(left.size()));
        if (row == 1)
            QCOMPARE(f.column(f.diary->lists().keys, 0), (QStringList{u"1"_s, u"3"_s}));
    }

    void saveTwiceAddsTwoRows() {
        Fixture f;
        f.menu(u"添加日记"_s);
        QCOMPARE(f.diary->editor()->windowModality(), Qt::WindowModal);
        f.box()->setPlainText(u"记一笔"_s);
        f.editorMenu(u"保存"_s);
        f.editorMenu(u"保存"_s);
        QCOMPARE(f.stored(), (QStringList{u"记一笔"_s, u"记一笔"_s}));
        QCOMPARE(f.dialogs.messages(), (QStringList{u"记事本添加成功。"_s, u"记事本添加成功。"_s}));
        QCOMPARE(f.column(f.list(), 0), (QStringList{u"1"_s, u"2"_s}));
        QVERIFY(f.diary->editor()->isVisible());
    }

    // 修改 in an editor that shows no stored entry never writes, whatever double-click came before.
    void modifyWithoutShownEntryWritesNothing_data() {
        QTest::addColumn<bool>("earlierDoubleClick");
        QTest::addColumn<bool>("emptyDoubleClick"); // false: opened by 添加日记
        QTest::newRow("添加日记 right after start-up, no double-click yet") << false << false;
        QTest::newRow("添加日记: an earlier double-click's entry is not overwritten") << true << false;
        QTest::newRow("double-click with nothing selected opens on no entry") << false << true;
        QTest::newRow("double-click with nothing selected forgets the earlier entry") << true << true;
    }
    void modifyWithoutShownEntryWritesNothing() {
        QFETCH(bool, earlierDoubleClick);
        QFETCH(bool, emptyDoubleClick);
        Fixture f({u"a"_s, u"b"_s});
        if (earlierDoubleClick) {
            f.doubleClick(1);
            f.editorMenu(u"退出"_s);
            QCOMPARE(f.diary->editor(), nullptr);
        }
        if (emptyDoubleClick)
            f.doubleClick(-1);
        else
            f.menu(u"添加日记"_s);
        QVERIFY(f.diary->editor() != nullptr);
        QCOMPARE(f.diary->editor()->windowModality(), emptyDoubleClick ? Qt::NonModal : Qt::WindowModal);
        QCOMPARE(f.box()->toPlainText(), QString());
        f.box()->setPlainText(u"changed"_s);
        f.editorMenu(u"修改"_s);
        QCOMPARE(f.stored(), (QStringList{u"a"_s, u"b"_s}));
        QCOMPARE(f.dialogs.log(), QStringList());
    }

    void secondDoubleClickMovesTheOpenEditor() {
        Fixture f({u"first"_s, u"second"_s, u"third"_s});
        f.doubleClick(0);
        DiaryEditorWindow* editor = f.diary->editor();
        QCOMPARE(editor->windowModality(), Qt::NonModal);
        QCOMPARE(f.box()->toPlainText(), u"first"_s);
        f.box()->setPlainText(u"first, revised"_s);
        f.editorMenu(u"修改"_s);
        QCOMPARE(f.dialogs.messages(), QStringList{u"文件修改成功！"_s});
        QCOMPARE(f.column(f.list(), 1).first(), u"first, revised"_s); // reloaded
        f.doubleClick(2);
        QCOMPARE(f.diary->editor(), editor);
        QCOMPARE(f.box()->toPlainText(), u"third"_s);
        f.box()->setPlainText(u"third, revised"_s);
        f.editorMenu(u"修改"_s);
        QCOMPARE(f.stored(), (QStringList{u"first, revised"_s, u"second"_s, u"third, revised"_s}));
        f.editorMenu(u"新建"_s);
        QCOMPARE(f.box()->toPlainText(), QString());
        QCOMPARE(f.stored().size(), 3);
    }

    void textsRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("single and double quotes") << u"It's \"done\"''"_s;
        QTest::newRow("statement text is stored, not run") << u"'); delete from [记事本]; --"_s;
        QTest::newRow("| separators") << u"a|b||c|"_s;
        QTest::newRow("Chinese") << u"今天天气很好，去公园散步。"_s;
        QTest::newRow("LF line breaks") << u"第一行\n第二行\n\n"_s;
        QTest::newRow("CR LF line breaks") << u"第一行\r\n第二行\r\n"_s;
        QTest::newRow("no-break space and tab") << u"a\u00A0b\tc"_s;
    }
    void textsRoundTrip() {
        QFETCH(QString, text);
        Fixture f({text});
        QCOMPARE(f.column(f.list(), 1), QStringList{text});
        f.doubleClick(0);
        f.editorMenu(u"修改"_s);
        f.editorMenu(u"保存"_s);
        QCOMPARE(f.stored(), (QStringList{text, text}));
        if (!text.contains(u'\r')) { // typed into a fresh box
            f.menu(u"添加日记"_s);
            f.box()->setPlainText(text);
            f.editorMenu(u"保存"_s);
            QCOMPARE(f.stored().last(), text);
        }
    }

    void fontChoiceSurvivesRestart_data() {
        QTest::addColumn<bool>("skin");
        QTest::newRow("plain") << false;
        QTest::newRow("under a skin's style sheet") << true;
    }
    void fontChoiceSurvivesRestart() {
        QFETCH(bool, skin);
        const Skin applied(skin);
        Fixture f;
        const FontChoice chosen{u"Noto Serif"_s, 15, true, false, true, true, 0x123456};
        f.menu(u"添加日记"_s);
        f.dialogs.answerFont(chosen);
        f.dialogs.answerFont(std::nullopt);
        f.editorMenu(u"配置"_s);
        f.editorMenu(u"配置"_s); // starts from the first choice, not the stored keys
        QCOMPARE(f.dialogs.log(), (QStringList{u"chooseFont "_s, u"chooseFont Noto Serif"_s}));
        QCOMPARE(shownFont(f.box()), chosen);
        QCOMPARE(bytesOf(f.paths.programFile(u"sys.ini"_s)).split('\n'),
                 QByteArrayList({"[记事本配置]", "颜色=5649426", "大小=15", "加粗=真", "下划线=真",
                                 "字体名称=Noto Serif", "倾斜=假", "删除线=真", ""}));
        f.editorMenu(u"退出"_s);

        QWidget window;
        DiaryPage restarted(new QWidget(&window), f.db, f.dialogs, f.paths);
        restarted.OpenDiaryForAdd();
        QCOMPARE(shownFont(restarted.editor()->textBox()), chosen);
    }

    void cancelledFontChangesNothing_data() {
        QTest::addColumn<bool>("stored");
        QTest::newRow("no settings file yet") << false;
        QTest::newRow("a stored font stays") << true;
    }
    void cancelledFontChangesNothing() {
        QFETCH(bool, stored);
        Fixture f;
        const QString ini = f.paths.programFile(u"sys.ini"_s);
        if (stored)
            QVERIFY(writeDiaryFontValues(ini, diaryFontValues({u"Noto Serif"_s, 20, false, true})));
        const QByteArray before = bytesOf(ini);
        f.menu(u"添加日记"_s);
        const FontChoice shown = shownFont(f.box());
        f.editorMenu(u"配置"_s); // unscripted: cancelled
        QCOMPARE(bytesOf(ini), before);
        QCOMPARE(shownFont(f.box()), shown);
        QCOMPARE(shown.pointSize == 20, stored);
    }

    // The diary's "sys.ini" is the program directory's, not the system settings file of the same name.
    void settingsFileIsTheProgramDirectorys() {
        Fixture f;
        const QString system = f.paths.windowsFile(u"sys.ini"_s);
        const QString diary = f.paths.programFile(u"sys.ini"_s);
        QVERIFY(QDir().mkpath(f.paths.programDir));
        QVERIFY(IniProfile::write(system, diaryini::section(), u"大小"_s, u"30"_s));
        QVERIFY(IniProfile::write(diary, diaryini::section(), u"大小"_s, u"14"_s));
        const QByteArray systemBefore = bytesOf(system);
        f.menu(u"添加日记"_s);
        QCOMPARE(shownFont(f.box()).pointSize, 14);
        f.dialogs.answerFont(FontChoice{u"Noto Serif"_s, 11});
        f.editorMenu(u"配置"_s);
        QCOMPARE(IniProfile::read(diary, diaryini::section(), u"大小"_s), u"11"_s);
        QCOMPARE(bytesOf(system), systemBefore);
    }

    void editorMenuInOrder() {
        Fixture f;
        f.menu(u"添加日记"_s);
        auto* file = f.diary->editor()->findChild<QMenu*>(u"文件"_s);
        QVERIFY(file != nullptr);
        QStringList items;
        for (QAction* a : file->actions())
            items << (a->isSeparator() ? u"-"_s : a->text());
        QCOMPARE(items, (QStringList{u"新建"_s, u"修改"_s, u"保存"_s, u"-"_s, u"配置"_s, u"-"_s, u"退出"_s}));
    }
};

ORVANE_TEST(DiaryPageTest)
#include "test_DiaryPage.moc"
