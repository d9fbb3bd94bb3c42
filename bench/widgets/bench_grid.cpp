// bench_grid: one screen of a 100,000-line virtual grid against the same visible cells in a
// plain QTableView over a QStandardItemModel, painted into an image in the same run.
// Also times adding the lines in one update bracket and painting with only 1,000 lines,
// to show that painting does not depend on the number of lines.

#include "text/FolderProgram.h"
#include "widgets/ZelVirtualGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Coloane = 10;
constexpr int Latime = 1000;
constexpr int Inaltime = 700;
constexpr int Repetari = 60;

struct TLinieBench : TZelVirtualGridLine {
    explicit TLinieBench(int n) : Nr(n) {}
    int Nr;
};

const TZelTipDeDateColoana TipColoana[Coloane] = {atInteger, atString, atCurrency, atIntegerDouaZecimale,
                                                  atDataScurtCuAn, atString, atCurrency, atDataLung,
                                                  atInteger, atString};

void Valoare(int linie, int col, TZelValoareDate &v)
{
    switch (TipColoana[col]) {
    case atInteger: v.SetAsInteger(linie * 7 + col); break;
    case atCurrency: v.SetAsCurrency(qint64(linie) * 12345 + col); break;
    case atIntegerDouaZecimale: v.SetAsIntegerDouaZecimale(linie % 1000 + 500); break;
    case atDataScurtCuAn: v.SetAsDataScurtCuAn(QDate(2008, 1, 1).addDays(linie % 3000)); break;
    case atDataLung: v.SetAsDataLung(QDate(2000, 1, 1).addDays(linie % 5000)); break;
    default: v.SetAsString(QStringLiteral("Elev %1, coloana %2").arg(linie).arg(col)); break;
    }
}

// Median milliseconds of painting the widget into an image.
double TimpDesenare(QWidget &w)
{
    QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
    w.render(&img); // warm-up: fonts and glyph caches
    std::vector<double> t;
    for (int i = 0; i < Repetari; ++i) {
        QElapsedTimer ceas;
        ceas.start();
        w.render(&img);
        t.push_back(double(ceas.nsecsElapsed()) / 1e6);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

struct TRezultat {
    double adaugare;
    double desenare;
    int celuleCerute;
};

TRezultat MasoaraGrid(int linii)
{
    TZelVirtualGrid g;
    g.resize(Latime, Inaltime);
    g.SetHeaderHeight(24);
    int cerute = 0;
    g.OnGetCellValue = [&](TZelVirtualGridLine *l, int c, TZelValoareDate &v) {
        ++cerute;
        Valoare(static_cast<TLinieBench *>(l)->Nr, c, v);
    };
    QElapsedTimer ceas;
    ceas.start();
    g.BeginUpdate();
    for (int c = 0; c < Coloane; ++c) {
        TZelVirtualGridColumn *col = g.Coloane().Add();
        col->SetNumeColoana(QStringLiteral("Coloana %1").arg(c));
        col->SetTipDeDate(TipColoana[c]);
        col->SetWidth(110);
    }
    for (int i = 0; i < linii; ++i)
        g.Linii().Add(new TLinieBench(i));
    g.EndUpdate();
    const double adaugare = double(ceas.nsecsElapsed()) / 1e6;
    g.show();
    QCoreApplication::processEvents();
    cerute = 0;
    const double desenare = TimpDesenare(g);
    return {adaugare, desenare, cerute / (Repetari + 1)};
}

double MasoaraTabel(int linii, double &umplere)
{
    QStandardItemModel model(linii, Coloane);
    QElapsedTimer ceas;
    ceas.start();
    for (int i = 0; i < linii; ++i) {
        for (int c = 0; c < Coloane; ++c) {
            TZelValoareDate v;
            Valoare(i, c, v);
            model.setItem(i, c, new QStandardItem(v.Text()));
        }
    }
    for (int c = 0; c < Coloane; ++c)
        model.setHeaderData(c, Qt::Horizontal, QStringLiteral("Coloana %1").arg(c));
    umplere = double(ceas.nsecsElapsed()) / 1e6;
    QTableView t;
    t.setModel(&model);
    t.resize(Latime, Inaltime);
    t.verticalHeader()->hide();
    t.verticalHeader()->setDefaultSectionSize(24);
    t.horizontalHeader()->setFixedHeight(24);
    for (int c = 0; c < Coloane; ++c)
        t.setColumnWidth(c, 110);
    t.show();
    QCoreApplication::processEvents();
    return TimpDesenare(t);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    RedirectioneazaFolderulProgramului(dir.path() + QLatin1Char('/'));

    const TRezultat mare = MasoaraGrid(100000);
    const TRezultat mic = MasoaraGrid(1000);
    double umplere = 0;
    const double tabel = MasoaraTabel(1000, umplere);

    std::printf("grid, 100000 lines x %d columns: add in one update bracket %.1f ms\n", Coloane, mare.adaugare);
    std::printf("grid, 1000 lines: add %.2f ms\n", mic.adaugare);
    std::printf("grid, 100000 lines: paint one screen %.3f ms (%d cells asked per paint)\n", mare.desenare,
                mare.celuleCerute);
    std::printf("grid, 1000 lines: paint one screen %.3f ms (%d cells asked per paint)\n", mic.desenare,
                mic.celuleCerute);
    std::printf("baseline QTableView + QStandardItemModel (1000 lines, same visible cells): fill %.1f ms, "
                "paint one screen %.3f ms\n",
                umplere, tabel);
    std::printf("paint 100000 / 1000 lines: %.2f\n", mare.desenare / mic.desenare);
    std::printf("ratio: %.2f\n", mare.desenare / tabel);
    return 0;
}
