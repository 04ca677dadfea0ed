// Registry values in a private INI file; values of the Run key as XDG autostart entries.
#include "platform/Registry.h"

#include "common/FileWrite.h"
#include "common/Log.h"
#include "platform/IniProfile.h"

#include <QDir>
#include <QFile>

namespace orvane {

namespace {

QFileDevice::Permissions ownerOnly() {
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner;
}

bool isRunKey(const QString& key) {
    return key.compare(Registry::runKey(), Qt::CaseInsensitive) == 0;
}

// One Exec argument, quoted where the desktop-entry rules require it: inside double quotes, '"', '`', '$'
// and '\' take a backslash; '%' is doubled everywhere (a lone one would start a field code).
QString quoteExecArgument(const QString& argument) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#`");
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString out;
    if (needsQuotes)
        out += u'"';
    for (QChar c : argument) {
        if (needsQuotes && (c == u'"' || c == u'`' || c == u'$' || c == u'\\'))
            out += u'\\';
        out += c;
        if (c == u'%')
            out += u'%';
    }
    if (needsQuotes)
        out += u'"';
    return out;
}

// The string escapes every desktop-entry value goes through (applied over the quoting above).
QString escapeString(const QString& text) {
    QString out;
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeString(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != u'\\' || i + 1 == text.size()) {
            out += text.at(i);
            continue;
        }
        const QChar next = text.at(++i);
        if (next == u's')
            out += u' ';
        else if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else if (next == u'r')
            out += u'\r';
        else
            out += next;
    }
    return out;
}

// The first argument of an Exec command line: the program's path.
QString firstExecArgument(const QString& exec) {
    QString out;
    qsizetype i = 0;
    if (exec.startsWith(u'"')) {
        for (i = 1; i < exec.size() && exec.at(i) != u'"'; ++i) {
            if (exec.at(i) == u'\\' && i + 1 < exec.size())
                ++i;
            out += exec.at(i);
        }
    } else {
        out = exec.section(u' ', 0, 0);
    }
    return out.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

// The installed launcher's fields (resources/desktop/orvane-clock.desktop; a test keeps them equal),
// with Exec naming the program that asked to be started, and TryExec the same path, so a desktop skips
// the entry quietly once that program is gone (TryExec is a plain string: no Exec quoting).
QString desktopEntry(const QString& program) {
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Orvane Alarm Clock\n"
                          "Name[zh_CN]=Orvane电脑闹钟\n"
                          "GenericName=Alarm Clock\n"
                          "GenericName[zh_CN]=电脑闹钟\n"
                          "Comment=Alarms, reminders, an hourly chime and a diary\n"
                          "Comment[zh_CN]=闹钟、定时提醒、整点报时和日记本\n"
                          "Exec=") +
           escapeString(quoteExecArgument(program)) + QStringLiteral("\nTryExec=") + escapeString(program) +
           QStringLiteral("\n"
                          "Icon=orvane-clock\n"
                          "Terminal=false\n"
                          "Categories=Utility;Clock;\n"
                          "Keywords=alarm;clock;reminder;timer;闹钟;提醒;\n"
                          "StartupNotify=true\n"
                          "X-GNOME-Autostart-enabled=true\n");
}

std::optional<QString> execOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    bool inEntry = false;
    const QStringList lines = QString::fromUtf8(in.readAll()).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'['))
            inEntry = line == QStringLiteral("[Desktop Entry]");
        else if (inEntry && line.contains(u'=') &&
                 line.section(u'=', 0, 0).trimmed() == QStringLiteral("Exec"))
            return firstExecArgument(unescapeString(line.mid(line.indexOf(u'=') + 1).trimmed()));
    }
    return QString();
}

} // namespace

QString Registry::autostartFile(const QString& name) const {
    return paths_.autostartDir + u'/' + name + QStringLiteral(".desktop");
}

bool Registry::exists(const QString& key, const QString& name) const {
    if (isRunKey(key))
        return QFile::exists(autostartFile(name));
    return IniProfile::exists(paths_.registryFile(), key, name);
}

std::optional<QString> Registry::read(const QString& key, const QString& name) const {
    if (isRunKey(key))
        return execOf(autostartFile(name));
    if (!IniProfile::exists(paths_.registryFile(), key, name))
        return std::nullopt;
    return IniProfile::read(paths_.registryFile(), key, name);
}

bool Registry::write(const QString& key, const QString& name, const QString& value) {
    if (isRunKey(key)) {
        if (name.isEmpty() || name.contains(u'/'))
            return false;
        if (QDir().mkpath(paths_.autostartDir) &&
            writeWholeFile(autostartFile(name), desktopEntry(value).toUtf8()))
            return true;
        qCWarning(lcStore) << "cannot write the autostart entry" << autostartFile(name);
        return false;
    }
    // Writing a value creates its key, and the store's folder with it.
    if (!QDir().mkpath(paths_.programDir)) {
        qCWarning(lcStore) << "cannot make the folder" << paths_.programDir;
        return false;
    }
    return IniProfile::write(paths_.registryFile(), key, name, value, ownerOnly());
}

bool Registry::remove(const QString& key, const QString& name) {
    if (isRunKey(key)) {
        const QString file = autostartFile(name);
        QFile entry(file);
        if (entry.exists() && !entry.remove()) {
            qCWarning(lcStore) << "cannot remove the autostart entry" << file << entry.errorString();
            return false;
        }
        return true;
    }
    return IniProfile::remove(paths_.registryFile(), key, name, ownerOnly());
}

} // namespace orvane
