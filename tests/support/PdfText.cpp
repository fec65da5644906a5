#include "PdfText.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QtDebug>

namespace kltest {

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << program << arguments << p.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

QString pdfText(const QString& path) {
    return run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                             QStringLiteral("UTF-8"), path, QStringLiteral("-")});
}

int pdfPages(const QString& path) {
    const QString info = run(QStringLiteral("pdfinfo"), {path});
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

bool copyReportProject(const QString& slozkaProgramu) {
    const QString target = slozkaProgramu + QStringLiteral("Kalendo.rav");
    QFile::remove(target);
    return QFile::copy(QStringLiteral(KALENDO_RAV), target);
}

} // namespace kltest
