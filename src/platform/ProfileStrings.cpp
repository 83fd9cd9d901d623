#include "ProfileStrings.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <vector>

namespace {

// One line of the file: [begin, end) is its text without the line ending, `next` is where the
// following line starts.
struct Line
{
    qsizetype begin;
    qsizetype end;
    qsizetype next;
};

enum class Kind { Blank, Comment, Section, Entry };

struct ParsedLine
{
    Line line;
    Kind kind;
    QByteArray name;   // section or key name, without surrounding blanks
    qsizetype equals;  // position of '=' in an entry line, or -1
};

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

QByteArray trimmed(const QByteArray &content, qsizetype begin, qsizetype end)
{
    while (begin < end && isBlank(content[begin]))
        ++begin;
    while (end > begin && isBlank(content[end - 1]))
        --end;
    return content.mid(begin, end - begin);
}

std::vector<ParsedLine> parse(const QByteArray &content)
{
    std::vector<ParsedLine> lines;
    qsizetype pos = content.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < content.size()) {
        qsizetype newline = content.indexOf('\n', pos);
        const qsizetype next = newline < 0 ? content.size() : newline + 1;
        qsizetype end = newline < 0 ? content.size() : newline;
        if (end > pos && content[end - 1] == '\r')
            --end;

        ParsedLine parsed{{pos, end, next}, Kind::Blank, {}, -1};
        qsizetype first = pos;
        while (first < end && isBlank(content[first]))
            ++first;
        if (first == end) {
            parsed.kind = Kind::Blank;
        } else if (content[first] == ';') {
            parsed.kind = Kind::Comment;
        } else if (const qsizetype close = content.indexOf(']', first);
                   content[first] == '[' && close >= 0 && close < end) {
            parsed.kind = Kind::Section;
            parsed.name = trimmed(content, first + 1, close);
        } else {
            parsed.kind = Kind::Entry;
            const qsizetype equals = content.indexOf('=', first);
            parsed.equals = equals >= 0 && equals < end ? equals : -1;
            parsed.name = trimmed(content, first, parsed.equals >= 0 ? parsed.equals : end);
        }
        lines.push_back(parsed);
        pos = next;
    }
    return lines;
}

bool sameName(const QByteArray &stored, const QString &wanted)
{
    return QString::fromUtf8(stored).compare(wanted.trimmed(), Qt::CaseInsensitive) == 0;
}

// Where the lines of the first section called `section` lie: [first, last) indexes into `lines`,
// `first` being the header. Nothing when there is no such section.
std::optional<std::pair<size_t, size_t>> findSection(const std::vector<ParsedLine> &lines,
                                                     const QString &section)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != Kind::Section || !sameName(lines[i].name, section))
            continue;
        size_t last = i + 1;
        while (last < lines.size() && lines[last].kind != Kind::Section)
            ++last;
        return std::make_pair(i, last);
    }
    return std::nullopt;
}

std::optional<size_t> findKey(const std::vector<ParsedLine> &lines,
                              std::pair<size_t, size_t> section, const QString &key)
{
    for (size_t i = section.first + 1; i < section.second; ++i) {
        if (lines[i].kind == Kind::Entry && sameName(lines[i].name, key))
            return i;
    }
    return std::nullopt;
}

QByteArray lineEndingOf(const QByteArray &content)
{
    const qsizetype newline = content.indexOf('\n');
    return newline > 0 && content[newline - 1] == '\r' ? QByteArrayLiteral("\r\n")
                                                        : QByteArrayLiteral("\n");
}

// A value cannot span lines: line breaks inside it become blanks.
QByteArray singleLine(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\r', ' ').replace('\n', ' ');
    return bytes;
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

bool validName(const QString &name, const char *forbidden)
{
    if (name.trimmed().isEmpty())
        return false;
    for (const char *c = forbidden; *c; ++c) {
        if (name.contains(QLatin1Char(*c)))
            return false;
    }
    return true;
}

} // namespace

namespace ProfileText {

std::optional<QString> find(const QByteArray &content, const QString &section, const QString &key)
{
    const std::vector<ParsedLine> lines = parse(content);
    const auto range = findSection(lines, section);
    if (!range)
        return std::nullopt;
    const auto index = findKey(lines, *range, key);
    if (!index)
        return std::nullopt;
    const ParsedLine &entry = lines[*index];
    if (entry.equals < 0)
        return QString();
    QByteArray value = trimmed(content, entry.equals + 1, entry.line.end);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'')
        && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return QString::fromUtf8(value);
}

QByteArray withValue(const QByteArray &content, const QString &section, const QString &key,
                     const QString &value)
{
    const std::vector<ParsedLine> lines = parse(content);
    const QByteArray eol = lineEndingOf(content);
    const QByteArray newEntry = singleLine(key.trimmed()) + '=' + singleLine(value);
    QByteArray result = content;

    const auto range = findSection(lines, section);
    if (!range) {
        if (!result.isEmpty() && !result.endsWith('\n'))
            result += eol;
        result += '[' + singleLine(section.trimmed()) + ']' + eol + newEntry + eol;
        return result;
    }

    if (const auto index = findKey(lines, *range, key)) {
        // Keep the key as the file spells it, the '=' and the blanks after it; only the value
        // itself changes.
        const ParsedLine &entry = lines[*index];
        if (entry.equals < 0) {
            qsizetype keyEnd = entry.line.end;
            while (keyEnd > entry.line.begin && isBlank(content[keyEnd - 1]))
                --keyEnd;
            return result.replace(keyEnd, entry.line.end - keyEnd, '=' + singleLine(value));
        }
        qsizetype valueBegin = entry.equals + 1;
        while (valueBegin < entry.line.end && isBlank(content[valueBegin]))
            ++valueBegin;
        return result.replace(valueBegin, entry.line.end - valueBegin, singleLine(value));
    }

    // A new key goes after the last non-blank line of the section, so blank lines that separate
    // it from the next section stay where they are.
    size_t after = range->first;
    for (size_t i = range->first + 1; i < range->second; ++i) {
        if (lines[i].kind != Kind::Blank)
            after = i;
    }
    const Line &anchor = lines[after].line;
    if (anchor.next == anchor.end) // the file's last line, without a line ending
        return result.insert(anchor.next, eol + newEntry + eol);
    return result.insert(anchor.next, newEntry + eol);
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
    return QString::fromUtf8(cutTo(value.toUtf8(), ProfileReadBufferSize - 1));
}

void ProfileFile::WriteString(const QString &section, const QString &key,
                              const QString &value) const
{
    const AppError refused(QStringLiteral("Unable to write to %1").arg(m_fileName));
    if (!validName(section, "[]\r\n") || !validName(key, "=\r\n"))
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

    QSaveFile file(m_fileName);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(updated) != updated.size()
        || !file.commit())
        throw refused;
}
