// Saving alarms, diary entries, settings and a registry value in a loop, and checking what survived.
#include "SaveLoop.h"

#include "alarm/AlarmTable.h"
#include "app/AppDatabase.h"
#include "app/StartCounter.h"
#include "diary/DiaryStore.h"
#include "platform/IniProfile.h"
#include "platform/Registry.h"
#include "platform/RegistryValues.h"
#include "platform/SystemSettings.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <sys/stat.h>

namespace orvane::crash {

namespace {

int roundOf(const QString& tag) {
    return tag.section(u'-', 1).toInt();
}

// Every seventh round a text of 9,000 bytes: the row spills onto overflow pages.
QString padding(const QString& tag) {
    return roundOf(tag) % 7 == 0 ? QString(3000, u'闹') : QString();
}

QString databaseFile(const Paths& paths) {
    return paths.windowsFile(QStringLiteral("dbtime.mdb"));
}

bool isScratch(const AlarmRecord& record) {
    return record.promptField.startsWith(QStringLiteral("假|scratch"));
}

// The file is whole: not empty, UTF-8, every line a section, a key=value pair or blank, the last one ended.
QStringList iniShapeProblems(const QString& file, const QString& name) {
    QFile in(file);
    if (!in.exists())
        return {name + QStringLiteral(" is missing")};
    if (!in.open(QIODevice::ReadOnly))
        return {name + QStringLiteral(" cannot be read")};
    const QByteArray bytes = in.readAll();
    if (bytes.isEmpty())
        return {name + QStringLiteral(" is empty")};
    if (!bytes.endsWith('\n'))
        return {name + QStringLiteral(" is cut short (no final line break)")};
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return {name + QStringLiteral(" is not UTF-8")};
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        const bool section = line.startsWith(u'[') && line.endsWith(u']');
        if (!line.isEmpty() && !section && !line.contains(u'='))
            return {name + QStringLiteral(" holds a half-written line: ") + line.left(40)};
    }
    return {};
}

int modeOf(const QString& file) {
    struct stat st {};
    return ::stat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

QStringList databaseProblems(const Paths& paths, const Reported& reported) {
    const QString file = databaseFile(paths);
    if (!QFile::exists(file)) {
        if (!reported.alarms.isEmpty() || !reported.diary.isEmpty())
            return {QStringLiteral("the database file is missing")};
        return {};
    }
    Database db;
    if (openAlarmDatabase(db, file) != DatabaseOpen::Opened)
        return {QStringLiteral("the database does not open: ") + db.lastError()};
    QStringList problems;
    RecordSet integrity = db.query(QStringLiteral("PRAGMA integrity_check"));
    if (integrity.atEnd() || integrity.text(QStringLiteral("integrity_check")) != QStringLiteral("ok"))
        problems << QStringLiteral("the database fails its integrity check");
    integrity.close();

    QHash<QString, AlarmRecord> alarms;
    for (const AlarmRecord& record : readAlarmRecords(db))
        alarms.insert(record.promptField, record);
    for (const QString& tag : reported.alarms) {
        const auto found = alarms.constFind(alarmPrompt(tag));
        if (found == alarms.constEnd())
            problems << QStringLiteral("alarm ") + tag + QStringLiteral(" is missing");
        else if (found->dueField != alarmDue(tag) || found->ringField != alarmRing(tag))
            problems << QStringLiteral("alarm ") + tag + QStringLiteral(" is altered");
    }
    QSet<QString> entries;
    for (const DiaryEntry& entry : readDiaryEntries(db))
        entries.insert(entry.text);
    for (const QString& tag : reported.diary)
        if (!entries.contains(diaryText(tag)))
            problems << QStringLiteral("diary entry ") + tag + QStringLiteral(" is missing");
    return problems;
}

QStringList settingsProblems(const Paths& paths, const Reported& reported) {
    const QString file = paths.windowsFile(QStringLiteral("sys.ini"));
    if (reported.counter < 0 && !QFile::exists(file))
        return {};
    QStringList problems = iniShapeProblems(file, QStringLiteral("sys.ini"));
    if (!problems.isEmpty() || reported.counter < 0)
        return problems;
    bool ok = false;
    const QString stored = IniProfile::read(file, SystemSettings::section(), counterKey());
    if (stored.toLongLong(&ok) < reported.counter || !ok)
        problems << QStringLiteral("sys.ini holds the counter \"%1\", but %2 was reported written")
                        .arg(stored)
                        .arg(reported.counter);
    for (const auto& [key, value] : fixedSettings())
        if (IniProfile::read(file, SystemSettings::section(), key) != value)
            problems << QStringLiteral("sys.ini lost its key ") + key;
    return problems;
}

QStringList registryProblems(const Paths& paths, const Reported& reported) {
    const QString file = paths.registryFile();
    if (reported.registry < 0 && !QFile::exists(file))
        return {};
    QStringList problems = iniShapeProblems(file, QStringLiteral("registry.ini"));
    if (!problems.isEmpty() || reported.registry < 0)
        return problems;
    const QString stored =
        Registry(paths).read(settings::passwordKey(), settings::passwordValue()).value_or(QString());
    bool ok = false;
    if (stored.toLongLong(&ok) < reported.registry || !ok)
        problems << QStringLiteral("registry.ini holds \"%1\", but %2 was reported written")
                        .arg(stored)
                        .arg(reported.registry);
    if (modeOf(file) != 0600)
        problems << QStringLiteral("registry.ini is readable by others (mode %1)").arg(modeOf(file), 0, 8);
    return problems;
}

} // namespace

QString alarmDue(const QString& tag) {
    const int round = roundOf(tag);
    return QStringLiteral("每天|2010年1月%1日%2时%3分")
        .arg(1 + round % 28)
        .arg(round % 24, 2, 10, QLatin1Char('0'))
        .arg(round % 60, 2, 10, QLatin1Char('0'));
}
QString alarmRing(const QString& tag) {
    return QStringLiteral("真|/ring/") + tag + QStringLiteral(".mp3");
}
QString alarmPrompt(const QString& tag) {
    return QStringLiteral("假|闹钟 ") + tag + padding(tag);
}
QString diaryText(const QString& tag) {
    return QStringLiteral("日记 ") + tag + padding(tag);
}

QString counterKey() {
    return QStringLiteral("保存次数");
}
QList<std::pair<QString, QString>> fixedSettings() {
    return {{QStringLiteral("响铃次数"), QStringLiteral("播放二次")},
            {QStringLiteral("删除"), QStringLiteral("假")},
            {QStringLiteral("整点报时"), QStringLiteral("真")}};
}

qint64 openStore(const Paths& paths, Database& db) {
    if (!paths.makeFolders())
        return 0;
    ensureDatabaseFile(databaseFile(paths)); // a failure shows in the open, as at the program's start
    if (openAlarmDatabase(db, databaseFile(paths)) != DatabaseOpen::Opened)
        return 0;
    const qint64 run = CountStart(db);
    for (const auto& [key, value] : fixedSettings())
        if (!IniProfile::write(paths.windowsFile(QStringLiteral("sys.ini")), SystemSettings::section(), key,
                               value))
            return 0;
    return run;
}

bool saveLoop(const Paths& paths, Database& db, qint64 run, int rounds,
              const std::function<void(const QByteArray&)>& report) {
    // One scratch alarm per run, rewritten each round; the previous runs' scratch rows are deleted.
    for (const AlarmRecord& record : readAlarmRecords(db))
        if (isScratch(record) && !db.execute(alarmsql::deleteByKey(), {record.key}))
            return false;
    if (!db.execute(alarmsql::insert(), {alarmDue(QStringLiteral("0-0")), QStringLiteral("假|默认"),
                                         QStringLiteral("假|scratch")}))
        return false;
    const qint64 scratch = db.lastInsertId();

    const QString sysFile = paths.windowsFile(QStringLiteral("sys.ini"));
    qint64 counter = IniProfile::read(sysFile, SystemSettings::section(), counterKey()).toLongLong();
    Registry registry(paths);
    qint64 value =
        registry.read(settings::passwordKey(), settings::passwordValue()).value_or(QString()).toLongLong();
    for (int i = 1; rounds < 0 || i <= rounds; ++i) {
        const QString tag = QString::number(run) + u'-' + QString::number(i);
        if (!db.execute(alarmsql::insert(), {alarmDue(tag), alarmRing(tag), alarmPrompt(tag)}))
            return false;
        report("alarm " + tag.toUtf8());
        if (!insertDiaryEntry(db, diaryText(tag)))
            return false;
        report("diary " + tag.toUtf8());
        const QString scratchText = QStringLiteral("假|scratch ") + QString(i % 2 ? 2000 : 10, u'改');
        if (!db.execute(alarmsql::update(), {alarmDue(tag), QStringLiteral("假|默认"), scratchText, scratch}))
            return false;
        if (!IniProfile::write(sysFile, SystemSettings::section(), counterKey(), QString::number(++counter)))
            return false;
        report("ini " + QByteArray::number(counter));
        if (i % 3 == 0) {
            if (!registry.write(settings::passwordKey(), settings::passwordValue(), QString::number(++value)))
                return false;
            report("registry " + QByteArray::number(value));
        }
    }
    return true;
}

Reported readReported(const QByteArray& log) {
    Reported reported;
    for (const QByteArray& line : log.split('\n')) {
        if (line.isEmpty())
            continue;
        const QString text = QString::fromUtf8(line);
        const QString kind = text.section(u' ', 0, 0);
        const QString value = text.section(u' ', 1);
        bool number = false;
        const qint64 n = value.toLongLong(&number);
        if (kind == QStringLiteral("alarm") && !value.isEmpty())
            reported.alarms << value;
        else if (kind == QStringLiteral("diary") && !value.isEmpty())
            reported.diary << value;
        else if (kind == QStringLiteral("ini") && number)
            reported.counter = std::max(reported.counter, n);
        else if (kind == QStringLiteral("registry") && number)
            reported.registry = std::max(reported.registry, n);
        else
            reported.unreadable << text;
    }
    return reported;
}

QStringList checkStore(const Paths& paths, const Reported& reported) {
    QStringList problems;
    for (const QString& line : reported.unreadable)
        problems << QStringLiteral("unreadable report line: ") + line.left(60);
    problems << databaseProblems(paths, reported) << settingsProblems(paths, reported)
             << registryProblems(paths, reported);
    return problems;
}

int leftoverFiles(const Paths& paths) {
    int count = 0;
    for (const QString& folder : {paths.windowsDir, paths.programDir}) {
        const QStringList names = QDir(folder).entryList(QDir::Files);
        for (const QString& name : names)
            if (name.startsWith(QStringLiteral("sys.ini.")) ||
                name.startsWith(QStringLiteral("registry.ini.")))
                ++count;
    }
    return count;
}

} // namespace orvane::crash
