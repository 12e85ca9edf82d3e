#include "search/DocumentPattern.h"

#include "store/TextWriter.h"
#include "store/Windows1252.h"

DocumentPattern DocumentPattern::of(const QString& text, Family family)
{
    switch (family) {
    case Family::Ansi:
        return {cp1252::canEncode(text) ? cp1252::encode(text) : text.toUtf8(), family};
    case Family::Utf8: return {text.toUtf8(), family};
    case Family::Unicode: break;
    }
    return {utf16LE(text), family};
}

namespace {

BlockText blockText(Family family)
{
    switch (family) {
    case Family::Ansi: return BlockText::SingleByte;
    case Family::Utf8: return BlockText::Utf8;
    case Family::Unicode: break;
    }
    return BlockText::Utf16LE;
}

} // namespace

OccurrenceScan::OccurrenceScan(const DocumentPattern& pattern)
    : m_searcher(pattern.bytes, blockText(pattern.family), false, false),
      m_length(std::size_t(pattern.bytes.size())), m_unit(m_searcher.unitSize())
{
}
