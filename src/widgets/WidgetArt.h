#pragma once

#include <QPixmap>
#include <QString>

// The program's pictures, compiled into the widget library as resources. The .ui forms may name
// the paths directly (for example ":/widgets/program-35x35.png").
namespace WidgetArt {

// The assistant figure (107 x 105, transparent around the figure) and its outline for a
// 104 x 104 window showing the figure centred, in the stored form TCoolForm reads.
inline const QString AssistantPicture = QStringLiteral(":/widgets/assistant.png");
inline const QString AssistantMask2 = QStringLiteral(":/widgets/assistant.mask2");

// The program picture, stacked coloured blocks, in the sizes the windows show it.
inline const QString ProgramPicture73x74 = QStringLiteral(":/widgets/program-73x74.png");
inline const QString ProgramPicture63x62 = QStringLiteral(":/widgets/program-63x62.png");
inline const QString ProgramPicture35x35 = QStringLiteral(":/widgets/program-35x35.png");
// The same picture for the windows' title bars and task switchers.
inline const QString ProgramIcon = QStringLiteral(":/widgets/program-48x48.png");

// The light pictures of the office-style controls by name ("OFF", "ONRND", "DOWN3UP", ...).
QString ledPath(const QString &name);

// A picture from the resources; throws AppError when it is missing.
QPixmap picture(const QString &path);

} // namespace WidgetArt
