#include "app/ui/frm_load.h"

#include "cfile/ui/ok_cancel_buttons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>

namespace zx {

namespace {
QLineEdit *line(QWidget *parent, const char *name)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}
} // namespace

FrmLoad::FrmLoad(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLoad"));
    setWindowTitle(QStringLiteral("Load Data"));
    auto *form = new QFormLayout(this);
    const auto pair = [this](const MeasureField &f) {
        auto *row = new QHBoxLayout;
        row->addWidget(f.value, 1);
        row->addWidget(f.unit);
        return row;
    };
    m_charge = measure("txtCharge", "cboChargeUnit", {QStringLiteral("gr"), QStringLiteral("g")});
    form->addRow(QStringLiteral("Charge"), pair(m_charge));
    m_powder = line(this, "txtPowder");
    form->addRow(QStringLiteral("Powder"), m_powder);
    m_bullet = line(this, "txtBullet");
    form->addRow(QStringLiteral("Bullet"), m_bullet);
    m_weight = measure("txtBulletWeight", "cboBulletUnit", {QStringLiteral("gr"), QStringLiteral("g")});
    form->addRow(QStringLiteral("Bullet weight"), pair(m_weight));
    m_lengthKind = new QComboBox(this);
    m_lengthKind->setObjectName(QStringLiteral("cboLengthKind"));
    m_lengthKind->addItems({QStringLiteral("COAL"), QStringLiteral("CBTO")});
    m_length = measure("txtLength", "cboLengthUnit", {QStringLiteral("in"), QStringLiteral("mm")});
    auto *lengthRow = pair(m_length);
    lengthRow->insertWidget(0, m_lengthKind);
    form->addRow(QStringLiteral("Length"), lengthRow);
    m_primer = line(this, "txtPrimer");
    form->addRow(QStringLiteral("Primer"), m_primer);
    m_case = line(this, "txtCase");
    form->addRow(QStringLiteral("Case"), m_case);
    m_temperature = measure("txtTemperature", "cboTempUnit", {QStringLiteral("C"), QStringLiteral("F")});
    form->addRow(QStringLiteral("Temperature"), pair(m_temperature));
    m_notes = line(this, "txtNotes");
    form->addRow(QStringLiteral("Notes"), m_notes);
    form->addRow(okCancelButtons(this));
}

FrmLoad::MeasureField FrmLoad::measure(const char *name, const char *unitName, const QStringList &units)
{
    MeasureField f{line(this, name), new QComboBox(this)};
    f.unit->setObjectName(QString::fromLatin1(unitName));
    f.unit->addItems(units);
    return f;
}

void FrmLoad::show(const MeasureField &f, const LoadMeasure &m)
{
    f.value->setText(m.known ? QString::number(m.value, 'f', m.decimals) : QString());
    const int at = f.unit->findText(m.unit, Qt::MatchFixedString);
    if (at >= 0)
        f.unit->setCurrentIndex(at);
    else if (!m.unit.isEmpty()) // a unit typed by hand stays what it was
        f.value->setText(f.value->text() + QLatin1Char(' ') + m.unit);
}

LoadMeasure FrmLoad::read(const MeasureField &f)
{
    LoadMeasure m = readLoadMeasure(f.value->text());
    if (m.known && m.unit.isEmpty())
        m.unit = f.unit->currentText();
    return m;
}

void FrmLoad::setLoad(const LoadData &load)
{
    show(m_charge, load.charge);
    m_powder->setText(load.powder);
    m_bullet->setText(load.bullet);
    show(m_weight, load.bulletWeight);
    m_lengthKind->setCurrentIndex(load.lengthKind == u"CBTO" ? 1 : 0);
    show(m_length, load.length);
    m_primer->setText(load.primer);
    m_case->setText(load.caseName);
    show(m_temperature, load.temperature);
    m_notes->setText(load.notes);
}

LoadData FrmLoad::load() const
{
    LoadData d;
    d.charge = read(m_charge);
    d.powder = m_powder->text().simplified();
    d.bullet = m_bullet->text().simplified();
    d.bulletWeight = read(m_weight);
    d.lengthKind = m_lengthKind->currentText();
    d.length = read(m_length);
    d.primer = m_primer->text().simplified();
    d.caseName = m_case->text().simplified();
    d.temperature = read(m_temperature);
    d.notes = m_notes->text().simplified();
    return d;
}

} // namespace zx
