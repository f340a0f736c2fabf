// clivora-guide-pdf: the printed manual made from the HTML user guide at build
// time, so the guide and the manual never disagree.
// Usage: clivora-guide-pdf OUT.pdf PAGE.html...   (pages in reading order)

#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

namespace {

/** The body of a guide page; links between pages mean nothing on paper and become plain text. */
QString PageBody(const QString& html)
{
    static const QRegularExpression body("<body[^>]*>(.*)</body>", QRegularExpression::DotMatchesEverythingOption |
                                                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression link("<a [^>]*>|</a>", QRegularExpression::CaseInsensitiveOption);
    QRegularExpressionMatch match = body.match(html);
    QString text = match.hasMatch() ? match.captured(1) : html;
    text.remove(link);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // a build machine has no display
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: clivora-guide-pdf OUT.pdf PAGE.html...\n");
        return 2;
    }

    QString html = "<html><body>";
    for (int i = 2; i < argc; ++i) {
        QFile page(QString::fromLocal8Bit(argv[i]));
        if (!page.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "clivora-guide-pdf: cannot read %s\n", argv[i]);
            return 1;
        }
        // Every page of the guide starts a new sheet.
        html += i == 2 ? "<div>" : "<div style=\"page-break-before: always\">";
        html += PageBody(QString::fromUtf8(page.readAll()));
        html += "</div>";
    }
    html += "</body></html>";

    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setTitle("Dalk Clivora user guide");
    writer.setCreator("Dalk Clivora");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter);
    writer.setResolution(300);

    QTextDocument document;
    document.setDefaultFont(QFont("Liberation Serif", 10));
    document.setHtml(html);
    document.print(&writer);
    return 0;
}
