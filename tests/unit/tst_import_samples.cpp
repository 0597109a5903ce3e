// Other chronographs' real export files (read from the shared samples folder beside the source
// tree, skipped when it is absent): every shot, its number and the unit as the expected
// values list them; statistics recomputed from the shots; the CFile text reads back.
#include "cfile/shot_strings.h"
#include "cfile/string_stats.h"
#include "import/chrono_import.h"
#include "import/import_cfile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

// The shared folder sits beside the source tree (or beside the folder of work trees).
QString samplesDir()
{
    const QString src = qEnvironmentVariable("ZX_SOURCE_DIR");
    for (const QString &up : {QStringLiteral("/.."), QStringLiteral("/../..")})
        if (QDir(src + up + QStringLiteral("/shared/samples/chrono")).exists())
            return QDir::cleanPath(src + up + QStringLiteral("/shared/samples/chrono"));
    return {};
}

QJsonObject expected(const QString &file)
{
    QFile f(samplesDir() + u'/' + QFileInfo(file).completeBaseName() + QStringLiteral(".expected.json"));
    return f.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(f.readAll()).object() : QJsonObject();
}

QString programUnit(const QString &expectedUnit) { return expectedUnit == QLatin1String("ft/s") ? "f/s" : expectedUnit; }

// One session of the expected file against one imported series.
void compareSeries(const QJsonObject &want, const zx::import::ImportedSeries &got, bool fit)
{
    const QJsonArray shots = want.value(QStringLiteral("shots")).toArray();
    QCOMPARE(int(got.shots.size()), shots.size());
    QCOMPARE(got.velocityUnit, fit ? QStringLiteral("m/s") : programUnit(want.value(QStringLiteral("velocity_unit")).toString()));
    std::vector<double> v;
    for (qsizetype i = 0; i < shots.size(); ++i) {
        const QJsonObject s = shots[i].toObject();
        QCOMPARE(got.shots[std::size_t(i)].number, s.value(fit ? QStringLiteral("shot_num") : QStringLiteral("shot")).toInt());
        QCOMPARE(got.shots[std::size_t(i)].velocity, s.value(fit ? QStringLiteral("shot_speed") : QStringLiteral("velocity")).toDouble());
        v.push_back(got.shots[std::size_t(i)].velocity);
    }
    const QJsonObject computed = want.value(QStringLiteral("computed_from_shots")).toObject();
    if (!computed.isEmpty()) {
        const zx::StringStats st = zx::computeStats(v);
        QVERIFY(qAbs(st.average - computed.value(QStringLiteral("mean")).toDouble()) < 1e-3);
        QVERIFY(qAbs(st.sd - computed.value(QStringLiteral("sd_sample_n_minus_1")).toDouble()) < 1e-3);
    }
}

} // namespace

class TstImportSamples : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsEverySample_data()
    {
        QTest::addColumn<QString>("file");
        const QStringList files = QDir(samplesDir()).entryList({"*.csv", "*.fit", "*.xlsx", "*.xls"}, QDir::Files, QDir::Name);
        if (files.isEmpty())
            QSKIP("the shared chronograph samples are not here");
        for (const QString &f : files)
            QTest::newRow(qPrintable(f)) << f;
    }
    void readsEverySample()
    {
        QFETCH(QString, file);
        const QJsonObject want = expected(file);
        QVERIFY2(!want.isEmpty(), "no expected values beside the sample");
        const zx::import::ImportResult r = zx::import::importFile(samplesDir() + u'/' + file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        const QJsonArray sheets = want.value(QStringLiteral("sheets")).toArray();
        const bool fit = file.endsWith(QLatin1String(".fit"));
        if (sheets.isEmpty()) {
            QCOMPARE(int(r.series.size()), 1);
            compareSeries(want, r.series.front(), fit);
        } else {
            QCOMPARE(int(r.series.size()), sheets.size());
            for (qsizetype i = 0; i < sheets.size(); ++i)
                compareSeries(sheets[i].toObject(), r.series[std::size_t(i)], false);
        }
        // The vendor's printed statistics travel in the tag line.
        QVERIFY2(!r.series.front().vendorSummary.isEmpty(), qPrintable(file));
    }

    // The CFile text of an import reads back through the program's shot reader: one string a
    // series, every velocity and the unit as imported.
    void cfileTextReadsBack_data() { readsEverySample_data(); }
    void cfileTextReadsBack()
    {
        QFETCH(QString, file);
        const zx::import::ImportResult r = zx::import::importFile(samplesDir() + u'/' + file);
        QVERIFY2(r.ok(), qPrintable(r.error));
        const QString text = zx::import::cfileText(r, file);
        QVERIFY(text.contains(QStringLiteral("TAG: Import-{") + file + u'}'));
        const auto strings = zx::findShotStrings(text.split(QStringLiteral("\r\n")));
        QCOMPARE(strings.size(), r.series.size());
        for (std::size_t i = 0; i < strings.size(); ++i) {
            const auto &want = r.series[i];
            QCOMPARE(strings[i].shots.size(), want.shots.size());
            for (std::size_t k = 0; k < want.shots.size(); ++k) {
                QCOMPARE(strings[i].shots[k].velocity, want.shots[k].velocity);
                QCOMPARE(strings[i].shots[k].velocityUnits, want.velocityUnit);
            }
        }
    }

    // A damaged .fit (one byte of a shot changed) is refused by its CRC, not read wrong.
    void damagedFitIsRefused()
    {
        QFile f(samplesDir() + QStringLiteral("/garmin-xero-20260116-1129-3shots.fit"));
        if (!f.open(QIODevice::ReadOnly))
            QSKIP("the shared chronograph samples are not here");
        QByteArray bytes = f.readAll();
        bytes[bytes.size() - 10] = char(bytes[bytes.size() - 10] ^ 0x01);
        const auto r = zx::import::importBytes(bytes);
        QVERIFY(r.series.empty());
        QVERIFY2(r.error.contains(QLatin1String("CRC")), qPrintable(r.error));
    }
};

QTEST_GUILESS_MAIN(TstImportSamples)
#include "tst_import_samples.moc"
