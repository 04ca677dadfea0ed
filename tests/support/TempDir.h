// A temporary folder per test that is removed afterwards; every file a test writes goes here.
#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace orvane::test {

class TempDir {
public:
    TempDir() { QVERIFY2(dir_.isValid(), "no temporary folder"); }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
};

} // namespace orvane::test
