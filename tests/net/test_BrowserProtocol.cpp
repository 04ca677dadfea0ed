// The lines between the program and its browser helper: any field comes back whole, lines split anywhere.
#include "TestRegistry.h"
#include "net/BrowserProtocol.h"

#include <QtTest>

using namespace orvane::browserProtocol;

class BrowserProtocolTest : public QObject {
    Q_OBJECT
private slots:
    void fieldsComeBack_data() {
        QTest::addColumn<QByteArrayList>("fields");
        QTest::newRow("an address with blanks and a line end would split the line")
            << QByteArrayList{"open", "1", "browser", "http://h/a b\nc", "0"};
        QTest::newRow("GBK bytes and percent signs stay as they are")
            << QByteArrayList{"navigate", "2", "http://h/?key=12\xD4\xC2%41"};
        QTest::newRow("an empty field keeps its place") << QByteArrayList{"loaded", "3", "0", "", "x"};
    }
    void fieldsComeBack() {
        QFETCH(QByteArrayList, fields);
        const QByteArray line = encode(fields);
        QCOMPARE(line.count('\n'), 1);
        QVERIFY(line.endsWith('\n'));
        // Read back in pieces of every length, as a pipe may hand them over.
        for (int piece = 1; piece <= line.size(); ++piece) {
            LineReader reader;
            QList<QByteArrayList> read;
            const QByteArray twoLines = line + line;
            for (qsizetype at = 0; at < twoLines.size(); at += piece) {
                reader.append(twoLines.mid(at, piece));
                for (QByteArray one; reader.next(one);)
                    read.append(decode(one));
            }
            QCOMPARE(read, (QList<QByteArrayList>{fields, fields}));
        }
    }
};

ORVANE_TEST(BrowserProtocolTest)
#include "test_BrowserProtocol.moc"
