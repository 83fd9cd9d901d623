// Times reading and writing one key of a large settings file, the way the program reads its two
// settings at start and writes one when a window opens or closes. Files of 1, 8 and 50 MB are
// made in two shapes: ordinary "key=value" lines, and lines of plain text without '=' (which
// other programs of the family may leave), each with the program's own section at the very end,
// where finding it takes longest.
// Usage: bench_settings [folder]   (default: a temporary folder under /tmp)

#include "ProfileStrings.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray makeFile(qsizetype size, bool plainText)
{
    QByteArray content = "[Jine]\r\n";
    content.reserve(size + 64);
    for (int i = 0; content.size() < size; ++i) {
        content += plainText ? "poznamka cislo " + QByteArray::number(i) + " bez rovnitka\r\n"
                             : "Klic" + QByteArray::number(i) + "=hodnota " + QByteArray::number(i) + "\r\n";
    }
    content += "[Nastaveni]\r\nPomocnik=1\r\nUvitani=0\r\n";
    return content;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millisecondsOf(QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const QString path = folder + QStringLiteral("/Kvadr.ini");
    const QString section = QStringLiteral("Nastaveni");

    for (const bool plainText : {false, true}) {
        for (const int megabytes : {1, 8, 50}) {
            const QByteArray content = makeFile(qsizetype(megabytes) << 20, plainText);
            std::vector<double> reads;
            std::vector<double> writes;
            for (int run = 0; run < 5; ++run) {
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
                    return 1;
                file.close();
                const ProfileFile settings(path);
                QElapsedTimer timer;
                timer.start();
                // The start reads both keys, each through a fresh reading of the file.
                const QString pomocnik = settings.ReadString(section, QStringLiteral("Pomocnik"), {});
                const QString uvitani = settings.ReadString(section, QStringLiteral("Uvitani"), {});
                reads.push_back(millisecondsOf(timer));
                if (pomocnik != QLatin1String("1") || uvitani != QLatin1String("0"))
                    return 1;
                timer.restart();
                settings.WriteString(section, QStringLiteral("Pomocnik"), QString::number(run % 2));
                writes.push_back(millisecondsOf(timer));
            }
            std::printf("%2d MB of %-16s both keys read: median %7.1f ms, max %7.1f ms; "
                        "one key written: median %7.1f ms, max %7.1f ms\n",
                        megabytes, plainText ? "plain text lines" : "key=value lines",
                        median(reads), *std::max_element(reads.begin(), reads.end()),
                        median(writes), *std::max_element(writes.begin(), writes.end()));
        }
    }
    return 0;
}
