#include "support/FuzzSupport.h"

#include "platform/DriveMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

QString scratchNative()
{
    static QTemporaryDir* dir = [] {
        auto* made = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/nimbra-fuzz-XXXXXX"));
        if (!made->isValid())
            fail("no scratch folder");
        DriveMap map = DriveMap::current();
        map.setRoot(u'D', made->path());
        DriveMap::setCurrent(map);
        // Removed at a normal exit; a crash leaves it for a look.
        std::atexit([] { delete dir; });
        return made;
    }();
    return dir->path();
}

QString writeFile(const QString& name, const QByteArray& bytes)
{
    const QString native = scratchNative() + u'/' + name;
    QDir().mkpath(QFileInfo(native).absolutePath());
    QFile file(native);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("cannot write " + native.toStdString());
    QString program = QStringLiteral("D:\\") + name;
    program.replace(u'/', u'\\');
    return program;
}

std::string shown(const QByteArray& bytes)
{
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '\\') {
            out += char(b);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", b);
            out += hex;
        }
    }
    return out;
}

std::string shown(const QString& text)
{
    return shown(text.toUtf8());
}

void fail(const std::string& what)
{
    std::fprintf(stderr, "\n*** fuzz expectation broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace fuzz
