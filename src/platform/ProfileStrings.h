#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Initialization files ("[Section]" lines followed by "key=value" lines), read and written one key
// at a time the way the settings files of the program family have always been handled:
// - a line ends at CR, LF or CRLF, whichever the file uses (files edited on different systems mix
//   them);
// - section and key names match without regard to case and to surrounding blanks;
// - a value is read without surrounding blanks and without one pair of enclosing quotes;
// - a write touches only the one line it changes (or adds), so every other section, line,
//   comment, blank and line ending of the file stays byte for byte as it was;
// - reading and writing take time in proportion to the size of the file.
// QSettings rewrites whole files and is not used for them.

namespace ProfileText {

// Whether a key of this name can be stored in a section of this name so that it reads back: names
// must not be blank nor hold line breaks, a section name no brackets, a key no '=' and not start
// like a comment (';') or a section header ('[').
bool canStore(const QString &section, const QString &key);

// The value of `key` in the first section named `section` of `content`, or nothing when the
// section or the key is missing.
std::optional<QString> find(QByteArrayView content, const QString &section, const QString &key);

// `content` with `key` of `section` set to `value`: the key's line is rewritten in place, or a new
// line is added at the end of the section, or the section is appended to the end of the file.
// New lines take the line ending of the line they follow, or the first one the file uses (a new
// file gets "\n"). Line breaks in the value become blanks; a value that would read back
// differently (blanks at its ends, enclosing quotes) is written inside double quotes.
// The names must pass canStore().
QByteArray withValue(const QByteArray &content, const QString &section, const QString &key,
                     const QString &value);

} // namespace ProfileText

// The largest value a read returns, in bytes: reads go through a buffer of this size, one byte of
// which ends the text.
inline constexpr int ProfileReadBufferSize = 2048;

// One initialization file. Nothing is kept between calls: every read and write opens the file
// afresh.
class ProfileFile
{
public:
    explicit ProfileFile(const QString &fileName) : m_fileName(fileName) {}

    const QString &FileName() const { return m_fileName; }

    // The value, or `defaultValue` when the file, the section or the key is missing or the file
    // cannot be read. Longer values are cut to the read buffer. Never fails.
    QString ReadString(const QString &section, const QString &key,
                       const QString &defaultValue) const;

    // Stores the value, creating the file and the section when they are missing. The file is
    // replaced as a whole only once the new text is completely written and flushed; a folder that
    // takes no new files refuses the write, since a write in place that fails half way would cut
    // the file short. Throws AppError "Unable to write to <file>" when the file cannot be written
    // (nothing is changed then).
    void WriteString(const QString &section, const QString &key, const QString &value) const;

private:
    QString m_fileName;
};
