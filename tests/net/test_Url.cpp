// Host, port and path of web addresses, as GBK bytes.
#include "TestRegistry.h"
#include "common/GbkText.h"
#include "net/Url.h"

#include <QtTest>

using namespace orvane;
using namespace Qt::Literals::StringLiterals;

class UrlTest : public QObject {
    Q_OBJECT
private slots:
    void parts_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("path");
        QTest::newRow("plain address, host lower-cased, path case kept")
            << "http://www.Example.COM/Form/Post.asp?A=1"
            << "www.example.com" << 80 << "/Form/Post.asp?A=1";
        QTest::newRow("scheme in capitals and a port") << "HTTP://Host:8080/p"
                                                       << "host" << 8080 << "/p";
        QTest::newRow("no path gives /") << "http://host"
                                         << "host" << 80 << "/";
        QTest::newRow("no scheme") << "host:81/x"
                                   << "host" << 81 << "/x";
        QTest::newRow("only a path: no host") << "/only/path"
                                              << "" << 80 << "/only/path";
        QTest::newRow("port that is not a number reads 0") << "http://host:abc/"
                                                           << "host" << 0 << "/";
        QTest::newRow("empty port reads 0") << "http://host:/"
                                            << "host" << 0 << "/";
        QTest::newRow("port with trailing text keeps its number") << "http://h:8080x/y"
                                                                  << "h" << 8080 << "/y";
        QTest::newRow("port beyond 32 bits is cut, not wrapped")
            << "http://h:99999999999/"
            << "h" << std::numeric_limits<int>::max() << "/";
        QTest::newRow("host written again in the path: the first one counts") << "http://a.cn/x/a.cn/y"
                                                                              << "a.cn" << 80 << "/x/a.cn/y";
        QTest::newRow("secure scheme is not understood, and does not crash") << "https://host/x"
                                                                             << "https" << 0 << "//host/x";
        QTest::newRow("Chinese host kept as it is") << "http://例子.中国/路径"
                                                    << "例子.中国" << 80 << "/路径";
        QTest::newRow("trail byte that looks like E is not lower-cased") << "http://丒E.com/"
                                                                         << "丒e.com" << 80 << "/";
        QTest::newRow("one-letter host is not found inside the scheme") << "http://h/x"
                                                                        << "h" << 80 << "/x";
        QTest::newRow("empty address") << ""
                                       << "" << 80 << "/";
    }
    void parts() {
        QFETCH(QString, url);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, path);
        const QByteArray bytes = gbk::encode(url);
        QCOMPARE(gbk::decode(UrlHost(bytes)), host);
        QCOMPARE(UrlPort(bytes), port);
        QCOMPARE(gbk::decode(UrlPath(bytes)), path);
    }
};

ORVANE_TEST(UrlTest)
#include "test_Url.moc"
