// Builds the user manual's PDF from its Markdown text and pictures with Qt's document and PDF
// classes. It shows nothing, so it always runs on the offscreen platform and needs no display.
//   manual-pdf --title TITLE --version VERSION --out FILE.pdf TEXT.md

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>

#include "manual_body.h"
#include "manual_pdf.h"
#include "page_setup.h"

namespace {

void writePdf(const QString& textPath, const QString& outPath, const manual::ManualInfo& info)
{
    if (!QDir().mkpath(QFileInfo(outPath).absolutePath()))
        throw manual::ManualError(QStringLiteral("cannot make the folder of %1").arg(outPath));
    // Qt's writer knows no named destinations: they are added to the finished PDF.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    std::vector<manual::NamedDestination> destinations;
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(QStringLiteral("%1 Manual").arg(info.title));
        writer.setCreator(QStringLiteral("%1 %2").arg(info.title, info.version));
        const manual::PageSetup page(writer);
        manual::ManualBody body(textPath, page);
        for (const QString& note : body.notes())
            std::printf("manual-pdf: %s\n", qPrintable(note));
        destinations = manual::writeManual(page, body, info);
    }
    const QByteArray bytes = manual::withNamedDestinations(pdf.data(), destinations);

    // Written aside and put in place only when complete, so a failed run leaves no PDF that
    // the build would take for up to date.
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw manual::ManualError(QStringLiteral("cannot write %1: %2").arg(outPath, file.errorString()));
    if (!file.commit())
        throw manual::ManualError(QStringLiteral("cannot write %1: %2").arg(outPath, file.errorString()));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);  // pictures are sized at 96 dpi, whatever the screen
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption title(QStringLiteral("title"), QStringLiteral("Product name."), QStringLiteral("TITLE"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Product version."),
                                     QStringLiteral("VERSION"));
    const QCommandLineOption out(QStringLiteral("out"), QStringLiteral("PDF file to write."), QStringLiteral("FILE"));
    parser.addOptions({title, version, out});
    parser.addPositionalArgument(QStringLiteral("text"), QStringLiteral("The manual's Markdown text."));
    if (!parser.parse(app.arguments()) || parser.positionalArguments().size() != 1 || !parser.isSet(title)
        || !parser.isSet(version) || !parser.isSet(out)) {
        std::fprintf(stderr, "usage: manual-pdf --title TITLE --version VERSION --out FILE.pdf TEXT.md\n");
        return 2;
    }

    try {
        writePdf(parser.positionalArguments().constFirst(), parser.value(out),
                 {parser.value(title), parser.value(version)});
    } catch (const manual::ManualError& e) {
        std::fprintf(stderr, "manual-pdf: %s\n", e.what());
        return 1;
    }
    return 0;
}
