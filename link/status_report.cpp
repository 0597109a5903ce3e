#include "link/status_report.h"
#include "platform/crlf.h"

#include "link/status_parser.h"

#include <cmath>

namespace zx {

namespace {

QString num(int v) { return QString::number(v); }

// Five digits with leading zeros, the sign in front: the numbered remark's counter.
QString fiveDigits(int v)
{
    const QString digits = QString::number(std::abs(v)).rightJustified(5, u'0');
    return v < 0 ? u'-' + digits : digits;
}

} // namespace

QString singleText(float v)
{
    if (v == 0.0f)
        return QStringLiteral("0"); // also for -0
    if (!std::isfinite(v))
        return QString::number(double(v));
    // The fewest decimals that give the same Single back, so 9.1f prints "9.1"
    // and not the double expansion 9.10000038.
    for (int decimals = 0; decimals <= 9; ++decimals) {
        const QString s = QString::number(double(v), 'f', decimals);
        if (s.toFloat() == v)
            return s;
    }
    return QString::number(double(v), 'g', 9);
}

QString versionText(qint16 version)
{
    return QString::number(double(version) / 10.0, 'g', 15) + u'P' + num(version % 10);
}

QString statusReport(const CroState &st, int comPort, int prefixKind, int mode)
{
    QString prefix;
    if (mode == 2) {
        if (prefixKind == 1)
            prefix = QStringLiteral("REM: ");
        else if (prefixKind == 2)
            prefix = QStringLiteral("REM:") + fiveDigits(st.iCroShotTotal) + u' ';
    }

    QString out;
    auto line = [&](const QString &text) { out += prefix + text + kCrLf; };
    auto blank = [&] { out += kCrLf; };

    line(QStringLiteral("__________RV5 Status Report__________"));
    line(QStringLiteral("Port: COM") + num(comPort));
    line(QStringLiteral("Model: ") + st.sCroModel);
    line(QStringLiteral("Version: ") + versionText(st.iCroVersion));
    line(QStringLiteral("User Cam Level: ") + num(st.iCroCamLevel));
    blank();
    line(QStringLiteral("Batery Voltage: ") + singleText(st.fCroBattery) + QStringLiteral("-Volts"));
    line(QStringLiteral("Case Temperature: ") + singleText(st.fCroTemp) + QStringLiteral("-Celsius"));
    blank();
    line(QStringLiteral("Power Down: ") + onOffText(st.bCroPwrDown));
    line(QStringLiteral("Power Down Time: ") + num(st.iCroPwrDownHrs) + QStringLiteral("-Hrs, ")
         + num(st.iCroPwrDownMin) + QStringLiteral("-Min"));
    line(QStringLiteral("Rapid Fire Mode: ") + onOffText(st.bCroRapidOn));
    line(QStringLiteral("Archery Mode: ") + onOffText(st.bCroArcheryOn));
    blank();
    line(QStringLiteral("Sensors Status: ") + onOffText(st.bCroSensorsOn));
    line(QStringLiteral("Sensetivity Level: ") + num(st.iCroSensLevel));
    line(QStringLiteral("Calibration Value: ") + num(st.iCroCalLevel));
    blank();
    line(QStringLiteral("CAP log: ") + onOffText(st.bCroLogJ));
    line(QStringLiteral("Temperature log: ") + onOffText(st.bCroLogK));
    line(QStringLiteral("Stats-Position log: ") + onOffText(st.bCroLogL));
    blank();
    line(QStringLiteral("Velocity Units: ") + st.sCroVelUnits);
    line(QStringLiteral("Temerature Units: ") + st.sCroTmpUnits);
    line(QStringLiteral("Time Units: ") + st.sCroTimUnits);
    blank();
    line(QStringLiteral("Number Of Folders/Disk: ") + num(st.iCroMaxFol));
    line(QStringLiteral("Number Of Strings/Folder: ") + num(st.iCroMaxStr));
    line(QStringLiteral("Number Of Shots/String: ") + num(st.iCroMaxSho));
    blank();
    line(QStringLiteral("Current Folder: ") + num(st.iCroCurFol));
    line(QStringLiteral("Current String: ") + num(st.iCroCurStr));
    line(QStringLiteral("Current Shot Review: ") + num(st.iCroShotReview));
    line(QStringLiteral("Current Shot Position: ") + num(st.iCroShotPos));
    line(QStringLiteral("Total Shots Up to Date: ") + num(st.iCroShotTotal));
    blank();
    line(QStringLiteral("To change RV5 setup go to LogPad menu,"));
    out += prefix + QStringLiteral("<Interface/Setup> or click on <iPad> tool.");
    return out;
}

QString statusLine(const CroState &st)
{
    return QStringLiteral("RV5 Status-{") + QStringLiteral(" Archery=") + onOffText(st.bCroArcheryOn)
        + QStringLiteral("  RapidFire=") + onOffText(st.bCroRapidOn) + QStringLiteral("  Sensors=")
        + onOffText(st.bCroSensorsOn) + QStringLiteral("  Sensitivity=") + num(st.iCroSensLevel)
        + QStringLiteral("-%") + QStringLiteral("  Battery=") + singleText(st.fCroBattery)
        + QStringLiteral("-Volts");
}

} // namespace zx
