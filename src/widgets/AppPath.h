#pragma once

#include <QObject>
#include <QString>

// The program's folder (ProgramFolder) as a component of the forms: the folder of the running
// executable, ending with the path separator.
// Every part of the program finds its settings file, Data, Zvuky and Html folders through it.
class TAppPath : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString AppFolder READ AppFolder)
public:
    explicit TAppPath(QObject *owner = nullptr);

    // Computed at every read.
    QString AppFolder() const;

    // Cuts the file name off a program path, keeping the trailing separator.
    static QString FolderOf(const QString &programPath);

    // Tests point the program folder elsewhere; an empty text returns to the executable's folder.
    static void setFolderForTesting(const QString &folder);
};
