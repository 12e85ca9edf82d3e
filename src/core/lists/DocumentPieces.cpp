#include "lists/DocumentPieces.h"

#include "platform/FileFacts.h"
#include "store/Utf8.h"
#include "store/Windows1252.h"

#include <QtEndian>

#include <array>

DocumentPieces::DocumentPieces(QString programPath, Family family, qint64 pieceSize)
    : m_path(std::move(programPath)), m_family(family),
      m_pieceSize(family == Family::Unicode ? pieceSize / 2 * 2 : pieceSize),
      m_file(platform::nativePath(m_path))
{
}

Status DocumentPieces::open()
{
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return Status::failure(QStringLiteral("Das Dokument %1 kann nicht gelesen werden: %2")
                                   .arg(m_path, m_file.errorString()));
    m_size = m_file.size();
    m_offset = 0;
    return {};
}

Status DocumentPieces::next(QString& text)
{
    const qint64 wanted = std::min(m_pieceSize, m_size - m_offset);
    m_bytes.resize(qsizetype(wanted));
    if (!m_file.seek(m_offset) || m_file.read(m_bytes.data(), wanted) != wanted)
        return Status::failure(
            QStringLiteral("Das Dokument %1 ist während des Sortierens gekürzt oder entfernt "
                           "worden.")
                .arg(m_path));
    const bool first = m_offset == 0;
    const qsizetype cut = cutAfterLineEnd(m_bytes, m_offset + wanted == m_size);
    m_offset += cut;
    QByteArrayView piece(m_bytes.constData(), cut);
    // The document's own byte-order mark is no text.
    if (first && m_family == Family::Unicode && piece.startsWith("\xFF\xFE"))
        piece = piece.sliced(2);
    decode(piece, text);
    return {};
}

qsizetype DocumentPieces::cutAfterLineEnd(const QByteArray& bytes, bool last) const
{
    const qsizetype size = bytes.size();
    if (last)
        return size;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (m_family == Family::Unicode) {
        for (qsizetype at = size - 2; at >= 0; at -= 2) {
            if ((data[at] == '\n' || data[at] == '\r') && data[at + 1] == 0)
                return at + 2;
        }
        return size;
    }
    for (qsizetype at = size - 1; at >= 0; --at) {
        if (data[at] == '\n' || data[at] == '\r')
            return at + 1;
    }
    if (m_family == Family::Utf8) {
        // No line end in the whole piece: at least cut between two characters.
        qsizetype at = size;
        while (at > 0 && size - at < 4 && (data[at - 1] & 0xC0) == 0x80)
            --at;
        if (at > 1 && (data[at - 1] & 0xC0) == 0xC0)
            return at - 1;
    }
    return size;
}

void DocumentPieces::decode(QByteArrayView bytes, QString& text) const
{
    switch (m_family) {
    case Family::Ansi: {
        // The code page as a table, into the text's memory of the last piece.
        static const std::array<char16_t, 256> kTable = [] {
            std::array<char16_t, 256> table{};
            for (int byte = 0; byte < 256; ++byte)
                table[byte] = cp1252::toUnicode(static_cast<unsigned char>(byte));
            return table;
        }();
        text.resize(bytes.size());
        char16_t* out = reinterpret_cast<char16_t*>(text.data());
        for (const char byte : bytes)
            *out++ = kTable[static_cast<unsigned char>(byte)];
        return;
    }
    case Family::Utf8:
        text.clear(); // the last piece's text goes before the next is made
        text = utf8::decode(bytes);
        return;
    case Family::Unicode: {
        text.resize(bytes.size() / 2);
        qFromLittleEndian<char16_t>(bytes.data(), text.size(), text.data());
        return;
    }
    }
}
