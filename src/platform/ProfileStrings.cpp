#include "ProfileStrings.h"

#include "AppError.h"
#include "WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cstring>
#include <sys/stat.h>

namespace {

enum class Kind { Blank, Comment, Section, Entry };

// One line of the file. Its text is [begin, end); its line ending (CR, LF or CRLF, none on an
// unterminated last line) is [end, next). The name of a section or entry line is
// [nameBegin, nameEnd), without surrounding blanks.
struct Line
{
    qsizetype begin = 0;
    qsizetype end = 0;
    qsizetype next = 0;
    Kind kind = Kind::Blank;
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    qsizetype equals = -1; // position of the '=' of an entry line, or -1
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Position of the first `wanted` in [from, to), or -1. Searches stay inside one line, so a file
// is read in time proportional to its size whatever its lines hold.
qsizetype findIn(QByteArrayView text, char wanted, qsizetype from, qsizetype to)
{
    const void *found = std::memchr(text.data() + from, wanted, size_t(to - from));
    return found ? static_cast<const char *>(found) - text.data() : -1;
}

// Walks the lines of initialization-file text one at a time, from the start (after a UTF-8
// byte order mark).
class LineReader
{
public:
    explicit LineReader(QByteArrayView text)
        : m_text(text), m_pos(text.startsWith("\xEF\xBB\xBF") ? 3 : 0)
    {
    }

    bool next(Line &line)
    {
        if (m_pos >= m_text.size())
            return false;
        line = Line{};
        line.begin = m_pos;
        qsizetype end = m_pos;
        while (end < m_text.size() && !isLineEnd(m_text[end]))
            ++end;
        line.end = end;
        line.next = end;
        if (end < m_text.size()) {
            line.next = end + 1;
            if (m_text[end] == '\r' && line.next < m_text.size() && m_text[line.next] == '\n')
                ++line.next;
        }
        m_pos = line.next;
        classify(line);
        return true;
    }

private:
    void classify(Line &line) const
    {
        qsizetype first = line.begin;
        while (first < line.end && isBlank(m_text[first]))
            ++first;
        if (first == line.end) {
            line.kind = Kind::Blank;
        } else if (m_text[first] == ';') {
            line.kind = Kind::Comment;
        } else if (const qsizetype close = findIn(m_text, ']', first, line.end);
                   m_text[first] == '[' && close >= 0) {
            line.kind = Kind::Section;
            setName(line, first + 1, close);
        } else {
            line.kind = Kind::Entry;
            line.equals = findIn(m_text, '=', first, line.end);
            setName(line, first, line.equals >= 0 ? line.equals : line.end);
        }
    }

    void setName(Line &line, qsizetype begin, qsizetype end) const
    {
        while (begin < end && isBlank(m_text[begin]))
            ++begin;
        while (end > begin && isBlank(m_text[end - 1]))
            --end;
        line.nameBegin = begin;
        line.nameEnd = end;
    }

    QByteArrayView m_text;
    qsizetype m_pos;
};

// UTF-8 text as it stands: a byte order mark at its start is a character of the name or value,
// not a mark to skip (only the file's own, at its very start, is one).
QString fromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

// A section or key name as asked for: compared with the names in the file without regard to
// case and surrounding blanks. Plain ASCII names, by far the most common, are compared byte by
// byte; others through Unicode case folding.
class Name
{
public:
    explicit Name(const QString &name)
        : m_text(name.trimmed()), m_utf8(m_text.toUtf8()), m_ascii(isAscii(m_utf8))
    {
    }

    bool matches(QByteArrayView text, const Line &line) const
    {
        const QByteArrayView stored = text.sliced(line.nameBegin, line.nameEnd - line.nameBegin);
        if (m_ascii && isAscii(stored)) {
            if (stored.size() != m_utf8.size())
                return false;
            for (qsizetype i = 0; i < stored.size(); ++i) {
                if (asciiLower(stored[i]) != asciiLower(m_utf8[i]))
                    return false;
            }
            return true;
        }
        return fromUtf8(stored).compare(m_text, Qt::CaseInsensitive) == 0;
    }

private:
    QString m_text;
    QByteArray m_utf8;
    bool m_ascii;
};

// Where a key stands in a file: the first section of the wanted name and, inside it, the first
// entry of the wanted key and the last line that is not blank.
struct Place
{
    bool sectionFound = false;
    bool keyFound = false;
    Line key;
    Line lastFilled; // the section's header when it holds nothing else
};

Place locate(QByteArrayView text, const Name &section, const Name &key)
{
    Place place;
    LineReader reader(text);
    Line line;
    while (reader.next(line)) {
        if (line.kind == Kind::Section) {
            if (place.sectionFound)
                break; // only the first section of the name counts
            if (section.matches(text, line)) {
                place.sectionFound = true;
                place.lastFilled = line;
            }
            continue;
        }
        if (!place.sectionFound)
            continue;
        if (line.kind != Kind::Blank)
            place.lastFilled = line;
        if (line.kind == Kind::Entry && key.matches(text, line)) {
            place.keyFound = true;
            place.key = line;
            break;
        }
    }
    return place;
}

// The line ending new lines take: the one of the line they follow when it has one, else the
// first one the file uses, else LF.
QByteArray lineEndingAfter(QByteArrayView text, const Line *anchor)
{
    if (anchor && anchor->next > anchor->end)
        return text.sliced(anchor->end, anchor->next - anchor->end).toByteArray();
    LineReader reader(text);
    Line line;
    while (reader.next(line)) {
        if (line.next > line.end)
            return text.sliced(line.end, line.next - line.end).toByteArray();
    }
    return QByteArrayLiteral("\n");
}

// A value cannot span lines: line breaks inside it become blanks.
QByteArray singleLine(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
}

// A value as it is written so that it reads back as it is: values that reading would change
// (surrounding blanks, or a pair of enclosing quotes) are written inside double quotes.
QByteArray storedValue(const QString &value)
{
    const QByteArray bytes = singleLine(value);
    if (bytes.isEmpty())
        return bytes;
    const bool blankAtEnds = isBlank(bytes.front()) || isBlank(bytes.back());
    const bool enclosed = bytes.size() >= 2 && (bytes.front() == '"' || bytes.front() == '\'')
                          && bytes.back() == bytes.front();
    return blankAtEnds || enclosed ? '"' + bytes + '"' : bytes;
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
QByteArray cutTo(QByteArray bytes, qsizetype limit)
{
    if (bytes.size() <= limit)
        return bytes;
    qsizetype cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80)
        --cut;
    bytes.truncate(cut);
    return bytes;
}

// The permission bits of an existing file, which its replacement keeps.
int currentMode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

} // namespace

namespace ProfileText {

bool canStore(const QString &section, const QString &key)
{
    const QString sectionName = section.trimmed();
    const QString keyName = key.trimmed();
    if (sectionName.isEmpty() || keyName.isEmpty())
        return false;
    for (const QChar c : sectionName) {
        if (c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('\r')
            || c == QLatin1Char('\n'))
            return false;
    }
    for (const QChar c : keyName) {
        if (c == QLatin1Char('=') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    }
    // A line starting so would read as a comment or a section header.
    return keyName.front() != QLatin1Char(';') && keyName.front() != QLatin1Char('[');
}

std::optional<QString> find(QByteArrayView content, const QString &section, const QString &key)
{
    const Place place = locate(content, Name(section), Name(key));
    if (!place.keyFound)
        return std::nullopt;
    const Line &entry = place.key;
    if (entry.equals < 0)
        return QString();
    qsizetype begin = entry.equals + 1;
    qsizetype end = entry.end;
    while (begin < end && isBlank(content[begin]))
        ++begin;
    while (end > begin && isBlank(content[end - 1]))
        --end;
    if (end - begin >= 2 && (content[begin] == '"' || content[begin] == '\'')
        && content[end - 1] == content[begin]) {
        ++begin;
        --end;
    }
    return fromUtf8(content.sliced(begin, end - begin));
}

QByteArray withValue(const QByteArray &content, const QString &section, const QString &key,
                     const QString &value)
{
    const Place place = locate(content, Name(section), Name(key));
    const QByteArray stored = storedValue(value);
    QByteArray result = content;

    if (!place.sectionFound) {
        const QByteArray eol = lineEndingAfter(content, nullptr);
        if (!result.isEmpty() && !isLineEnd(result.back()))
            result += eol;
        result += '[' + singleLine(section.trimmed()) + ']' + eol;
        result += singleLine(key.trimmed()) + '=' + stored + eol;
        return result;
    }

    if (place.keyFound) {
        // The key keeps its spelling, its '=' and the blanks after it; only the value changes.
        const Line &entry = place.key;
        if (entry.equals < 0) {
            qsizetype keyEnd = entry.end;
            while (keyEnd > entry.begin && isBlank(content[keyEnd - 1]))
                --keyEnd;
            return result.replace(keyEnd, entry.end - keyEnd, '=' + stored);
        }
        qsizetype valueBegin = entry.equals + 1;
        while (valueBegin < entry.end && isBlank(content[valueBegin]))
            ++valueBegin;
        return result.replace(valueBegin, entry.end - valueBegin, stored);
    }

    // A new key goes after the last line of the section that is not blank, so blank lines that
    // separate it from the next section stay where they are.
    const Line &anchor = place.lastFilled;
    const QByteArray eol = lineEndingAfter(content, &anchor);
    const QByteArray entry = singleLine(key.trimmed()) + '=' + stored + eol;
    if (anchor.next == anchor.end) // the file's last line, without a line ending
        return result.insert(anchor.next, eol + entry);
    return result.insert(anchor.next, entry);
}

} // namespace ProfileText

QString ProfileFile::ReadString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    QString value = defaultValue;
    QFile file(m_fileName);
    if (QFileInfo(m_fileName).isFile() && file.open(QIODevice::ReadOnly)) {
        if (const auto found = ProfileText::find(file.readAll(), section, key))
            value = *found;
    }
    return fromUtf8(cutTo(value.toUtf8(), ProfileReadBufferSize - 1));
}

void ProfileFile::WriteString(const QString &section, const QString &key,
                              const QString &value) const
{
    const AppError refused(QStringLiteral("Unable to write to %1").arg(m_fileName));
    if (!ProfileText::canStore(section, key))
        throw refused;

    // A file that exists but cannot be read is never replaced: its other lines would be lost.
    QByteArray content;
    const QFileInfo info(m_fileName);
    if (info.exists()) {
        QFile current(m_fileName);
        if (!info.isFile() || !current.open(QIODevice::ReadOnly))
            throw refused;
        content = current.readAll();
        if (current.error() != QFileDevice::NoError)
            throw refused;
    }

    const QByteArray updated = ProfileText::withValue(content, section, key, value);
    if (info.exists() && updated == content) {
        if (!info.isWritable())
            throw refused;
        return;
    }

    // Always a whole new file renamed into place, never a write over the old one: a write that
    // fails half way must not cut off the other programs' sections. A folder that takes no new
    // file refuses the write. A link to the file is kept; the file it names is replaced.
    if (info.exists() && !info.isWritable())
        throw refused;
    const QString target = info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : m_fileName;
    QByteArray temporary;
    if (WholeFile::writeTemporary(target, updated, temporary, info.exists() ? currentMode(target) : -1) != 0
        || WholeFile::putInPlace(temporary, target, false) != 0)
        throw refused;
    WholeFile::syncFolderOf(target);
}
