// DeduridoZidirivovi open X: lists every file of drive X into
// Datenbank/Haupt_Dateinamen_Liste_Laufwerk_X.txt below the working folder.
// Exit status: 0 done, 1 the list could not be written, 2 wrong call or drive.
#include "FolderWalker.h"
#include "ListWriter.h"

#include "platform/DriveMap.h"
#include "platform/FileWriter.h"

#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <thread>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int fail(int status, const QString& message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
    return status;
}

QString systemCause(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

std::optional<char> driveLetterArgument(int argc, char* argv[])
{
    if (argc != 3 || std::strcmp(argv[1], "open") != 0)
        return std::nullopt;
    const char letter = char(std::toupper(static_cast<unsigned char>(argv[2][0])));
    if (letter < 'A' || letter > 'Z' || argv[2][1] != '\0')
        return std::nullopt;
    return letter;
}

// The walk compares folder paths with the mount table, which names no links.
std::string realPath(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

// 0 when the folder can be listed, else the system's error number.
int folderError(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    ::close(fd);
    return 0;
}

// 0 when the folder exists or was made, else the system's error number.
int makeFolder(const char* path)
{
    if (::mkdir(path, 0777) == 0)
        return 0;
    return errno == EEXIST ? folderError(path) : errno;
}

void showProgress(char letter, const FolderWalker::Counts& counts)
{
    std::fprintf(stderr, "\rDedurido Zidirivovi - von Laufwerk %c: %llu Dateien", letter,
                 static_cast<unsigned long long>(counts.files));
}

void showClosingLine(const FolderWalker::Counts& counts)
{
    std::printf("Fertig: %llu Dateien in %llu Ordnern; übersprungen: %llu Namen, %llu Ordner\n",
                static_cast<unsigned long long>(counts.files),
                static_cast<unsigned long long>(counts.folders),
                static_cast<unsigned long long>(counts.skippedNames),
                static_cast<unsigned long long>(counts.skippedFolders));
}

// Walks the drive's folder, then writes the list; progress only goes to a terminal.
int listDrive(char letter, const std::string& rootPath)
{
    const bool onTerminal = ::isatty(STDERR_FILENO) == 1;
    // Two threads at least: on a cold cache one reads while the other waits for the disk.
    FolderWalker walker(std::max(2u, std::thread::hardware_concurrency()));
    const auto tree = walker.walk(rootPath, [&](const FolderWalker::Counts& counts) {
        if (onTerminal)
            showProgress(letter, counts);
    });
    const FolderWalker::Counts counts = walker.counts();
    if (onTerminal) {
        showProgress(letter, counts);
        std::fputc('\n', stderr);
    }
    const std::string listPath =
        std::string("Datenbank/Haupt_Dateinamen_Liste_Laufwerk_") + letter + ".txt";
    if (const Status written = ListWriter(letter).write(*tree, listPath); !written)
        return fail(kFailed, written.error());
    showClosingLine(counts);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    platform::removeTemporaryFilesOnSignal();
    const std::optional<char> letter = driveLetterArgument(argc, argv);
    if (!letter)
        return fail(kUsageError,
                    QStringLiteral("Aufruf: DeduridoZidirivovi open <Laufwerksbuchstabe>"));
    const std::optional<QString> root = DriveMap::current().rootOf(QChar(*letter));
    if (!root)
        return fail(kUsageError,
                    QStringLiteral("Das Laufwerk %1: ist nicht zugeordnet (NIMBRA_DRIVES).")
                        .arg(QChar(*letter)));
    const std::string rootPath = realPath(QFile::encodeName(*root).toStdString());
    if (const int error = folderError(rootPath))
        return fail(kUsageError,
                    QStringLiteral("Der Ordner %1 von Laufwerk %2: kann nicht gelesen werden: %3")
                        .arg(*root, QChar(*letter), systemCause(error)));
    if (const int error = makeFolder("Datenbank"))
        return fail(kFailed, QStringLiteral("Der Ordner Datenbank kann nicht angelegt werden: %1")
                                 .arg(systemCause(error)));
    platform::removeDeadWritersFiles(QStringLiteral("Datenbank"));
    return listDrive(*letter, rootPath);
}
