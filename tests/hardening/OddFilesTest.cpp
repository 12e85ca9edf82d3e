// A folder tree with what real disks hold besides plain files, indexed and searched with
// documents and file by file: no step may crash or hang, and what cannot be read is
// skipped and counted.

#include "hardening/NimbraChild.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

const QByteArray kWord = "Kennwort";
// Files in one folder; a sanitizer build, many times slower per file, makes fewer.
constexpr int kManyFiles = NIMBRA_SANITIZED ? 10000 : 100000;

// Raw byte names: the toolkit cannot make names that are not UTF-8.
void writeRaw(const QByteArray& path, const QByteArray& bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0) << path.toStdString();
    ASSERT_EQ(::write(fd, bytes.constData(), bytes.size()), bytes.size());
    ::close(fd);
}

void makeSocket(const QByteArray& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(std::size_t(path.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

// A path of about 4,000 characters: twenty folders of 190 characters.
QString deepFolder()
{
    QString folder = QStringLiteral("Odd/tief");
    for (int i = 0; i < 20; ++i)
        folder += u'/' + QString(190, QChar(u'a' + i));
    return folder;
}

class OddFilesTest : public testing::Test {
protected:
    QByteArray odd(const QString& relative) const
    {
        return QFile::encodeName(m_nimbra.drive().native(QStringLiteral("Odd/") + relative));
    }

    void writeTree() const
    {
        const MappedDrive& drive = m_nimbra.drive();
        drive.write(QStringLiteral("Odd/eins.txt"), "Kennwort eins\r\n");
        drive.write(QStringLiteral("Odd/leer.txt"), "");
        drive.write(QStringLiteral("Odd/Titel #D:\\ im Text.txt"), "Kennwort hinter #D:\\x\r\n");
        drive.write(QStringLiteral("Odd/ordner.txt/innen.txt"), "Kennwort innen\r\n");
        drive.write(QStringLiteral("Odd/weg.txt"), "Kennwort weg\r\n");
        drive.write(QStringLiteral("Odd/kurz.txt"), QByteArray(100000, 'k') + " Kennwort kurz");
        drive.write(QStringLiteral("Odd/wechsel.txt"), "Kennwort wechsel\r\n");
        drive.write(QStringLiteral("Odd/waechst.txt"), "Kennwort waechst\r\n");
        drive.write(deepFolder() + QStringLiteral("/tief.txt"), "Kennwort tief\r\n");
        for (int i = 0; i < kManyFiles; ++i) {
            drive.write(QStringLiteral("Odd/viele/f%1.txt").arg(i),
                        i == kManyFiles - 1 ? "Kennwort viele" : "z");
        }
        ASSERT_EQ(::mkfifo(odd("rohr.txt").constData(), 0644), 0);
        makeSocket(odd("sockel.txt"));
        ASSERT_EQ(::symlink("schleife2.txt", odd("schleife1.txt").constData()), 0);
        ASSERT_EQ(::symlink("schleife1.txt", odd("schleife2.txt").constData()), 0);
        ASSERT_EQ(::symlink("fehlt.txt", odd("verwaist.txt").constData()), 0);
        writeRaw(odd("kaputt") + "\xFF\xFE.txt", "Kennwort kaputt");
        writeRaw(odd("zeile") + "\r" + "umbruch.txt", "Kennwort cr");
        writeRaw(odd("zeile") + "\n" + "umbruch.txt", "Kennwort lf");
        writeRaw(odd("an\"f.txt"), "Kennwort quote");
    }

    // What happens to files between the list and the reading.
    void changeAfterListing() const
    {
        ASSERT_TRUE(QFile::remove(QFile::decodeName(odd("weg.txt"))));
        ASSERT_EQ(::truncate(odd("kurz.txt").constData(), 10), 0);
        ASSERT_TRUE(QFile::remove(QFile::decodeName(odd("wechsel.txt"))));
        ASSERT_EQ(::mkfifo(odd("wechsel.txt").constData(), 0644), 0);
    }

    NimbraChild::Finished index(const QString& name, const QStringList& more = {}) const
    {
        return m_nimbra.run(m_nimbra.indexArguments(name, QStringLiteral("Odd"), more));
    }

    QStringList foundFiles(const QString& name) const
    {
        const NimbraChild::Finished found =
            m_nimbra.run({QStringLiteral("search"), name, QString::fromLatin1(kWord)});
        EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
        QStringList files;
        for (const QByteArray& line : found.out.split('\n')) {
            if (!line.isEmpty())
                files.append(QString::fromUtf8(line.left(line.indexOf('\t'))).section(u'\\', -1));
        }
        files.sort();
        return files;
    }

    // The toolkit cannot remove names that are not UTF-8.
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_nimbra.drive().native(QStringLiteral("Odd")).toStdString(),
                                    ignored);
    }

    NimbraChild m_nimbra;
};

TEST_F(OddFilesTest, OddFilesAreSkippedAndCountedWithoutAHang)
{
    writeTree();
    // The list is made first, so files can change before they are read.
    const NimbraChild::Finished listed =
        index(QStringLiteral("Liste"), {"--new-list", "--without-documents"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    // Not UTF-8, CR, LF, '"' and the backslash of the title marker: five names.
    EXPECT_TRUE(listed.out.contains("übersprungen: 5 Namen")) << listed.out.toStdString();
    changeAfterListing();

    // A file that grows while the run reads.
    std::atomic<bool> running = true;
    std::thread grower([&] {
        QFile file(QFile::decodeName(odd("waechst.txt")));
        if (!file.open(QIODevice::Append))
            return;
        // At most 8 MB: enough to change under the reader, little for a slow build.
        while (running && file.size() < (8 << 20)) {
            file.write(QByteArray(4096, 'w') + "\r\n");
            file.flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const NimbraChild::Finished indexed = index(QStringLiteral("Odd"));
    running = false;
    grower.join();
    ASSERT_EQ(indexed.exitCode, 0) << indexed.err.toStdString();
    EXPECT_FALSE(indexed.crashed);
    const QByteArray log = m_nimbra.drive().read(QStringLiteral("Datenbank/Odd.log"));
    // Listed: every plain file but the five names; not indexed: the removed file and the
    // one that became a pipe (the empty file is read, and leaves no trace).
    const QByteArray total = QLocale(QLocale::German).toString(kManyFiles + 8).toUtf8();
    EXPECT_TRUE(log.contains("Dateien insgesamt: " + total)) << log.toStdString();
    EXPECT_TRUE(log.contains("Konnten nicht indiziert werden: 2")) << log.toStdString();

    // kurz.txt lost its word to the truncation.
    const QStringList expected = {"eins.txt", QStringLiteral("f%1.txt").arg(kManyFiles - 1),
                                  "innen.txt", "tief.txt", "waechst.txt"};
    EXPECT_EQ(foundFiles(QStringLiteral("Odd")), expected);

    // File by file, the pipe and the vanished file are passed over just the same.
    const NimbraChild::Finished pathsOnly = index(QStringLiteral("Ohne"), {"--without-documents"});
    ASSERT_EQ(pathsOnly.exitCode, 0) << pathsOnly.err.toStdString();
    EXPECT_EQ(foundFiles(QStringLiteral("Ohne")), expected);
}

// A sparse file of 3 GB makes a database too large for documents; its paths are searched
// file by file, reading the file in bounded pieces.
TEST_F(OddFilesTest, AThreeGigabyteFileIsSearchedFileByFile)
{
    const qint64 size = 3LL << 30;
    m_nimbra.drive().write(QStringLiteral("Gross/gross.txt"), "Anfang\r\n");
    const QByteArray path =
        QFile::encodeName(m_nimbra.drive().native(QStringLiteral("Gross/gross.txt")));
    ASSERT_EQ(::truncate(path.constData(), size), 0);
    {
        QFile file(QFile::decodeName(path));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(size - 16));
        file.write("Kennwort Ende\r\n");
    }
    const NimbraChild::Finished indexed =
        m_nimbra.run(m_nimbra.indexArguments(QStringLiteral("Gross"), "Gross", {"--new-list"}));
    EXPECT_EQ(indexed.exitCode, 0) << indexed.err.toStdString();
    EXPECT_TRUE(indexed.out.contains("nur Pfadliste")) << indexed.out.toStdString();
    const NimbraChild::Finished found = m_nimbra.run(
        {QStringLiteral("search"), QStringLiteral("Gross"), QString::fromLatin1(kWord)});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_TRUE(found.out.contains("gross.txt\tKennwort Ende")) << found.out.toStdString();
}

} // namespace
