// The workbook's formula engine against results a spreadsheet gives, reference shifting on row
// copies, formulas made from an earlier one of the same shape, and recalculation that follows
// dependencies (and survives cycles and long chains).
#include "workbook/formula_cache.h"
#include "workbook/workbook.h"

#include <QtTest>

using namespace zx::wb;

namespace {
// "2.5", "#DIV/0!", "text:abc"
bool sameValue(const CellValue &v, const QString &expected)
{
    if (expected.startsWith(u'#'))
        return isError(v) && errorText(std::get<CellError>(v)) == expected;
    if (expected.startsWith(QLatin1String("text:")))
        return isText(v) && std::get<QString>(v) == expected.mid(5);
    return isNumber(v) && qAbs(std::get<double>(v) - expected.toDouble()) <= 1e-9 * qMax(1.0, qAbs(expected.toDouble()));
}
} // namespace

class TestFormula : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void evaluates_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("expected");
        QTest::newRow("stdev is the sample one") << "=STDEV(A1:A8)" << "2.1380899352993950";
        QTest::newRow("average skips text") << "=AVERAGE(B1:B3)" << "15";
        QTest::newRow("min skips text") << "=MIN(B1:B3)" << "10";
        QTest::newRow("max over a block") << "=MAX(A1:B8)" << "20";
        QTest::newRow("count numbers only") << "=COUNT(A1:B8,D1)" << "10";
        QTest::newRow("sum, two ranges") << "=SUM(A1:A8,B1:B3)" << "70";
        QTest::newRow("precedence") << "=1+2*3-4/2" << "5";
        QTest::newRow("parentheses") << "=(1+2)*3" << "9";
        QTest::newRow("minus before power") << "=-2^2" << "4";
        QTest::newRow("unary minus operand") << "=2*-3" << "-6";
        QTest::newRow("blanks inside") << "= ( A2 * 100 ) /  A8" << "44.4444444444444444";
        QTest::newRow("division by zero") << "=A1/C1" << "#DIV/0!";
        QTest::newRow("text in arithmetic") << "=B1+1" << "#VALUE!";
        QTest::newRow("numeric text in arithmetic") << "=D1+1" << "6";
        QTest::newRow("text typed into sum") << "=SUM(\"5\",1)" << "6";
        QTest::newRow("bad text typed into sum") << "=SUM(\"x\",1)" << "#VALUE!";
        QTest::newRow("text cell in sum ignored") << "=SUM(D1,B1,1)" << "1";
        QTest::newRow("average of nothing") << "=AVERAGE(C2:C9)" << "#DIV/0!";
        QTest::newRow("stdev of one") << "=STDEV(A1)" << "#DIV/0!";
        QTest::newRow("min of nothing") << "=MIN(C2:C9)" << "0";
        QTest::newRow("error inside a range") << "=SUM(A1:A8,E1)" << "#DIV/0!";
        QTest::newRow("count skips errors") << "=COUNT(E1,A1)" << "1";
        QTest::newRow("unknown function") << "=FOO(1)" << "#NAME?";
        QTest::newRow("unknown name") << "=speed*2" << "#NAME?";
        QTest::newRow("unknown sheet") << "=Nope!A1" << "#REF!";
        QTest::newRow("sheet reference") << "=iSetup!$D$6*10" << "3.048";
        QTest::newRow("quoted sheet reference") << "='My Sheet'!A1+1" << "8";
        QTest::newRow("empty cell is zero") << "=Z99" << "0";
        QTest::newRow("range as a value") << "=A1:A3" << "#VALUE!";
        QTest::newRow("text result") << "=B1" << "text:-?-";
        QTest::newRow("lower case") << "=average(a1:a2)+true" << "4";
        QTest::newRow("grains energy") << "=($E3*iSetup!$D$6*$E3*iSetup!$D$6 * ($R3*iSetup!$D$4/2000))"
                                       << "3541.0335640577123";
    }
    void evaluates()
    {
        QFETCH(QString, formula);
        QFETCH(QString, expected);
        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("Data"));
        Worksheet &setup = book.addSheet(QStringLiteral("iSetup"));
        book.addSheet(QStringLiteral("My Sheet")).setNumber(1, 1, 7);
        setup.setNumber(4, 4, 0.06479891);
        setup.setNumber(6, 4, 0.3048);
        const double column[] = {2, 4, 4, 4, 5, 5, 7, 9};
        for (int i = 0; i < 8; ++i)
            ws.setNumber(i + 1, 1, column[i]);
        ws.setText(1, 2, QStringLiteral("-?-"));
        ws.setNumber(2, 2, 10);
        ws.setNumber(3, 2, 20);
        ws.setNumber(1, 3, 0);
        ws.setText(1, 4, QStringLiteral("5"));
        QVERIFY(ws.setFormula(1, 5, QStringLiteral("=1/0")));
        ws.setNumber(3, 5, 2800.5); // a velocity in f/s and a 150 grain bullet
        ws.setNumber(3, 18, 150);
        QString error;
        QVERIFY2(ws.setFormula(20, 20, formula, &error), qPrintable(error));
        QVERIFY2(sameValue(ws.value(20, 20), expected), qPrintable(displayText(ws.value(20, 20))));
    }

    void rejectsBadSyntax_data()
    {
        QTest::addColumn<QString>("formula");
        for (const char *f : {"=1+", "=SUM(1", "=(1", "=1 2", "=A1:", "='x", "=\"open", "=1+)", "A1", "=#BAD!", "=$1"})
            QTest::newRow(f) << QString::fromLatin1(f);
        QTest::newRow("deep nesting") << QStringLiteral("=") + QString(200, u'(') + QStringLiteral("1") +
                                             QString(200, u')');
        QTest::newRow("many signs") << QStringLiteral("=") + QString(5000, u'-') + QStringLiteral("1");
    }
    void rejectsBadSyntax()
    {
        QFETCH(QString, formula);
        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("S"));
        ws.setNumber(1, 1, 42);
        QString error;
        QVERIFY(!ws.setFormula(1, 1, formula, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(ws.value(1, 1), CellValue(42.0));
        QVERIFY(ws.formula(1, 1).isEmpty());
    }

    void shiftsOnCopy_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("cols");
        QTest::addColumn<QString>("shifted");
        QTest::newRow("range") << "=MIN(E5:E12)" << 7 << 0 << "=MIN(E12:E19)";
        QTest::newRow("dollar column, sheet constants")
            << "=($E12*iSetup!$D$6*$E12*iSetup!$D$6 * ($R12*iSetup!$D$4/2000))" << 3 << 0
            << "=($E15*iSetup!$D$6*$E15*iSetup!$D$6 * ($R15*iSetup!$D$4/2000))";
        QTest::newRow("mixed anchors") << "=A$1+$B2" << 2 << 1 << "=B$1+$B4";
        QTest::newRow("pushed off the sheet") << "=A1+B5" << -1 << 0 << "=#REF!+B4";
        QTest::newRow("quoted sheet") << "='My ''x'' Sheet'!C3*2" << 1 << 1 << "='My ''x'' Sheet'!D4*2";
        QTest::newRow("text untouched") << "=\"A1\"+B1" << 1 << 0 << "=\"A1\"+B2";
        QTest::newRow("function names untouched") << "=LOG10(A1)+SUM(A1:B2)" << 1 << 0 << "=LOG10(A2)+SUM(A2:B3)";
    }
    void shiftsOnCopy()
    {
        QFETCH(QString, formula);
        QFETCH(int, rows);
        QFETCH(int, cols);
        QFETCH(QString, shifted);
        QCOMPARE(shiftFormula(formula, rows, cols), shifted);
    }

    void copiedRowKeepsFormatAndRecomputes()
    {
        Workbook templ;
        Worksheet &t = templ.addSheet(QStringLiteral("T"));
        t.setText(3, 1, QStringLiteral("Sequence"));
        QVERIFY(t.setFormula(3, 17, QStringLiteral("=(P3* 100)/N3")));
        CellFormat f;
        f.fontSize = 8;
        f.colorIndex = 5;
        f.numberFormat = QStringLiteral("0.00");
        t.setFormat(3, 17, f);
        t.setRowHeight(3, 13.5);

        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("Capture"));
        ws.setText(12, 30, QStringLiteral("old"));
        t.copyRowTo(3, ws, 12); // replaces the whole row, as a spreadsheet's row copy does
        ws.setNumber(12, 16, 5);
        ws.setNumber(12, 14, 2500);
        QCOMPARE(ws.formula(12, 17), QStringLiteral("=(P12* 100)/N12"));
        QCOMPARE(ws.value(12, 17), CellValue(0.2));
        QCOMPARE(ws.format(12, 17), f);
        QCOMPARE(ws.value(12, 1), CellValue(QStringLiteral("Sequence")));
        QVERIFY(isEmpty(ws.value(12, 30)));
        QCOMPARE(ws.rowHeight(12), 13.5);
    }

    void recalculatesOnlyDependants()
    {
        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("S"));
        for (int r = 5; r <= 9; ++r)
            ws.setNumber(r, 5, 2800 + r);
        QVERIFY(ws.setFormula(9, 12, QStringLiteral("=MIN(E5:E9)")));
        QVERIFY(ws.setFormula(9, 13, QStringLiteral("=MAX(E5:E9)")));
        QVERIFY(ws.setFormula(9, 15, QStringLiteral("=(M9-L9)")));
        QVERIFY(ws.setFormula(1, 1, QStringLiteral("=B1*2")));
        QVERIFY(ws.setFormula(20, 5, QStringLiteral("=SUM(E5:E9)"))); // reads the column below the block too
        ws.setNumber(7, 5, 3000);
        QCOMPARE(book.lastRecalcCount(), 4); // L9, M9, O9 and E20; not A1
        QCOMPARE(ws.value(9, 15), CellValue(3000.0 - 2805));
        ws.setNumber(1, 2, 4);
        QCOMPARE(book.lastRecalcCount(), 1);
        QCOMPARE(ws.value(1, 1), CellValue(8.0));
        // A replaced formula no longer listens to its old cells.
        QVERIFY(ws.setFormula(9, 12, QStringLiteral("=B1")));
        ws.setNumber(5, 5, 1);
        QCOMPARE(ws.value(9, 12), CellValue(4.0));
        QCOMPARE(book.lastRecalcCount(), 3); // M9, O9, E20
        ws.setNumber(30, 5, 1);
        QCOMPARE(book.lastRecalcCount(), 0);
    }

    void longChainAndCycles()
    {
        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("S"));
        ws.setNumber(1, 1, 0);
        for (int r = 2; r <= 20000; ++r)
            QVERIFY(ws.setFormula(r, 1, QStringLiteral("=A%1+1").arg(r - 1)));
        ws.setNumber(1, 1, 5);
        QCOMPARE(ws.value(20000, 1), CellValue(20004.0));
        QCOMPARE(book.lastRecalcCount(), 19999);

        QVERIFY(ws.setFormula(1, 2, QStringLiteral("=B1+1")));
        QCOMPARE(ws.value(1, 2), CellValue(CellError::Ref));
        QVERIFY(ws.setFormula(1, 3, QStringLiteral("=D1+1")));
        QVERIFY(ws.setFormula(1, 4, QStringLiteral("=SUM(C1:C2)")));
        QCOMPARE(ws.value(1, 3), CellValue(CellError::Ref));
        QCOMPARE(ws.value(1, 4), CellValue(CellError::Ref));
        ws.setNumber(1, 4, 3); // the loop is broken
        QCOMPARE(ws.value(1, 3), CellValue(4.0));
    }

    // A formula of a shape seen before is made from the earlier tree; it must be the tree a
    // full parse gives, and digits that are not rows or whole numbers must force that parse.
    void reusedShapeMatchesFullParse_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("range grows") << "=MIN(E5:E12)" << "=MIN(E5:E13)";
        QTest::newRow("range turned round") << "=MIN(E5:E12)" << "=MIN(E12:E5)";
        QTest::newRow("energy row") << "=($E9*iSetup!$D$6*$E9*iSetup!$D$6 * ($R9*iSetup!$D$4/2000))"
                                    << "=($E10*iSetup!$D$6*$E10*iSetup!$D$6 * ($R10*iSetup!$D$4/2000))";
        QTest::newRow("whole numbers") << "=A1*2000+7" << "=A2*30000+0";
        QTest::newRow("decimal number") << "=A1+1.5" << "=A1+2.5";
        QTest::newRow("sheet name digits") << "='Sheet 2'!A1" << "='Sheet 3'!A1";
        QTest::newRow("text digits") << "=SUM(\"12\",B2)" << "=SUM(\"13\",B3)";
        QTest::newRow("function name digits") << "=LOG10(A1)" << "=LOG11(A2)";
        QTest::newRow("error literal") << "=#DIV/0!+A1" << "=#DIV/0!+A2";
        QTest::newRow("row zero is a name") << "=E9+1" << "=E0+1";
        QTest::newRow("eight digits are no row") << "=E9+1" << "=E12345678+1";
        QTest::newRow("last row") << "=E9+1" << "=E1048576+1";
        QTest::newRow("past the last row") << "=E9+1" << "=E1048577+1";
    }
    void reusedShapeMatchesFullParse()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        FormulaCache cache;
        QVERIFY(cache.parse(first));
        const std::unique_ptr<Formula> made = cache.parse(second);
        const std::unique_ptr<Formula> parsed = parseFormula(second);
        QCOMPARE(bool(made), bool(parsed));
        if (!parsed)
            return;
        const auto fields = [](const FormulaNode &n) {
            return std::make_tuple(n.kind, n.func, n.sheetSlot, n.a, n.b, n.a2, n.b2, n.number);
        };
        QCOMPARE(made->nodes.size(), parsed->nodes.size());
        for (std::size_t i = 0; i < parsed->nodes.size(); ++i)
            QVERIFY2(fields(made->nodes[i]) == fields(parsed->nodes[i]), qPrintable(QString::number(i)));
        QCOMPARE(made->text, second);
        QCOMPARE(made->root, parsed->root);
        QCOMPARE(made->args, parsed->args);
        QCOMPARE(made->texts, parsed->texts);
        QCOMPARE(made->sheetNames, parsed->sheetNames);
    }

    void sheetAddedLater()
    {
        Workbook book;
        Worksheet &ws = book.addSheet(QStringLiteral("S"));
        QVERIFY(ws.setFormula(1, 1, QStringLiteral("=Later!A1*2")));
        QCOMPARE(ws.value(1, 1), CellValue(CellError::Ref));
        book.addSheet(QStringLiteral("Later")).setNumber(1, 1, 21);
        QCOMPARE(book.sheet(0).value(1, 1), CellValue(42.0));
    }
};

QTEST_GUILESS_MAIN(TestFormula)
#include "tst_formula.moc"
