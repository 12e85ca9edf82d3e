#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

// Shared pieces of the fuzz targets: a drive letter mapped to a scratch folder, so that
// readers of files see program paths (D:\...) as they do in the program, and a loud stop
// for a broken expectation (libFuzzer keeps the input that caused it).
namespace fuzz {

// The scratch folder of this process, mapped to drive D: on first use.
QString scratchNative();
// Writes the bytes to D:\<name> and returns the program path.
QString writeFile(const QString& name, const QByteArray& bytes);

// The text as one line for a report (non-printable bytes as \xNN).
std::string shown(const QByteArray& bytes);
std::string shown(const QString& text);

[[noreturn]] void fail(const std::string& what);

inline void expect(bool condition, const std::string& what)
{
    if (!condition)
        fail(what);
}

inline QByteArray bytesOf(const std::string& s)
{
    return QByteArray(s.data(), qsizetype(s.size()));
}

} // namespace fuzz
