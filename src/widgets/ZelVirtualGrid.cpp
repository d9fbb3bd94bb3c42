#include "widgets/ZelVirtualGrid.h"

#include "text/Ceas.h"
#include "text/Eroare.h"
#include "text/Mesaje.h"
#include "text/TextRo.h"
#include "widgets/LargeFonts.h"
#include "widgets/UZelEditors.h"
#include "widgets/ZelVGridEditor.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cstdlib>

namespace {

const QEvent::Type TipTick = QEvent::Type(QEvent::registerEventType());

QString TextMesajNepotrivire()
{
    return QStringLiteral("Nepotrivire de date cand citesc coloana %1: Am primit %2, asteptam %3");
}

TZelFont FontImplicitCelula(const QColor &culoare)
{
    return TZelFont{QFont(QStringLiteral("Arial"), 9), culoare};
}

TZelFont FontImplicitUmbrela()
{
    return TZelFont{QFont(QStringLiteral("Arial"), 8), QColor(0, 0, 128)};
}

// The whole part of a magnitude with thousands grouped by ".".
QString CuMiiGrupate(quint64 intreg)
{
    QString cifre = QString::number(intreg);
    for (int i = int(cifre.size()) - 3; i > 0; i -= 3)
        cifre.insert(i, QLatin1Char('.'));
    return cifre;
}

quint64 Modul(qint64 v)
{
    return v < 0 ? quint64(0) - quint64(v) : quint64(v);
}

} // namespace

// ---------------------------------------------------------------------------------------
// Values

QString NumeTipDeDate(int tip)
{
    switch (tip) {
    case atCurrency: return QStringLiteral("Currency");
    case atInteger: return QStringLiteral("Integer");
    case atIntegerDouaZecimale: return QStringLiteral("Integer2Z");
    case atString: return QStringLiteral("String");
    case atDataScurtFaraAn: return QStringLiteral("DataCalendar1");
    case atDataScurtCuAn: return QStringLiteral("DataCalendar2");
    case atDataLung: return QStringLiteral("DataCalendar3");
    case atAuto: return QStringLiteral("Auto");
    case atAsk: return QStringLiteral("Ask");
    }
    return QStringLiteral("#") + QString::number(tip);
}

QString TextCurrencyGrid(qint64 zecimiiDeMii)
{
    const quint64 m = Modul(zecimiiDeMii);
    const quint64 intreg = m / 10000;
    const quint64 sutimi = (m % 10000) / 100;
    QString s = CuMiiGrupate(intreg) + QLatin1Char(',') + QStringLiteral("%1").arg(sutimi, 2, 10, QLatin1Char('0'));
    // A minus before a value that shows as 0,00 would only confuse.
    if (zecimiiDeMii < 0 && (intreg != 0 || sutimi != 0))
        s.prepend(QLatin1Char('-'));
    return s;
}

QString TextIntegerDouaZecimale(qint64 sutimi)
{
    const quint64 m = Modul(sutimi);
    QString s = QString::number(m / 100) + QLatin1Char(',') + QStringLiteral("%1").arg(m % 100, 2, 10, QLatin1Char('0'));
    if (sutimi < 0)
        s.prepend(QLatin1Char('-'));
    return s;
}

void TZelValoareDate::Goleste()
{
    m_tip = atAuto;
    m_numar = 0;
    m_text.clear();
    m_data = QDate();
}

void TZelValoareDate::SetAsk()
{
    Goleste();
    m_tip = atAsk;
}

void TZelValoareDate::Cere(TZelTipDeDateColoana tip) const
{
    if (m_tip != tip)
        throw EZel(QStringLiteral("Tip incorect"));
}

qint64 TZelValoareDate::AsCurrency() const { Cere(atCurrency); return m_numar; }
void TZelValoareDate::SetAsCurrency(qint64 v) { Goleste(); m_tip = atCurrency; m_numar = v; }
qint64 TZelValoareDate::AsInteger() const { Cere(atInteger); return m_numar; }
void TZelValoareDate::SetAsInteger(qint64 v) { Goleste(); m_tip = atInteger; m_numar = v; }
qint64 TZelValoareDate::AsIntegerDouaZecimale() const { Cere(atIntegerDouaZecimale); return m_numar; }
void TZelValoareDate::SetAsIntegerDouaZecimale(qint64 v) { Goleste(); m_tip = atIntegerDouaZecimale; m_numar = v; }
QString TZelValoareDate::AsString() const { Cere(atString); return m_text; }
void TZelValoareDate::SetAsString(const QString &s) { Goleste(); m_tip = atString; m_text = s; }
QDate TZelValoareDate::AsDataScurtFaraAn() const { Cere(atDataScurtFaraAn); return m_data; }
void TZelValoareDate::SetAsDataScurtFaraAn(const QDate &d) { Goleste(); m_tip = atDataScurtFaraAn; m_data = d; }
QDate TZelValoareDate::AsDataScurtCuAn() const { Cere(atDataScurtCuAn); return m_data; }
void TZelValoareDate::SetAsDataScurtCuAn(const QDate &d) { Goleste(); m_tip = atDataScurtCuAn; m_data = d; }
QDate TZelValoareDate::AsDataLung() const { Cere(atDataLung); return m_data; }
void TZelValoareDate::SetAsDataLung(const QDate &d) { Goleste(); m_tip = atDataLung; m_data = d; }

QDate TZelValoareDate::AsData() const
{
    if (m_tip != atDataScurtFaraAn && m_tip != atDataScurtCuAn && m_tip != atDataLung)
        throw EZel(QStringLiteral("Tip incorect"));
    return m_data;
}

QString TZelValoareDate::Text() const
{
    switch (m_tip) {
    case atCurrency: return TextCurrencyGrid(m_numar);
    case atInteger: return QString::number(m_numar);
    case atIntegerDouaZecimale: return TextIntegerDouaZecimale(m_numar);
    case atString: return m_text;
    case atDataScurtFaraAn: return DataRoZiLuna(m_data);
    case atDataScurtCuAn: return DataRoScurta(m_data);
    case atDataLung: return DataRoLunga(m_data);
    case atAsk: return QStringLiteral("!NoData!");
    case atAuto: break;
    }
    throw EZel(QStringLiteral("Bug! Nu stiu citi tipul de date!"));
}

// ---------------------------------------------------------------------------------------
// Colours

QColor ZelCuloareDinTColor(int tcolor)
{
    return QColor(tcolor & 0xFF, (tcolor >> 8) & 0xFF, (tcolor >> 16) & 0xFF);
}

QColor RemapeazaCuloareGrid(const QColor &c)
{
    static const QColor dinCe = ZelCuloareDinTColor(14482163);
    static const QColor inCe = ZelCuloareDinTColor(16242895);
    if (c.isValid() && c.rgb() == dinCe.rgb())
        return inCe;
    return c;
}

QColor CuloareHover(const QColor &fundal, int intensitate)
{
    if (intensitate <= 1)
        return fundal;
    const QColor rgb = fundal.toRgb();
    const QColor tenta(std::max(0, rgb.red() - 20), std::max(0, rgb.green() - 20), rgb.blue());
    float h1, s1, v1, h2, s2, v2;
    rgb.getHsvF(&h1, &s1, &v1);
    tenta.getHsvF(&h2, &s2, &v2);
    // A grey has no hue of its own: it takes the other end's, so the way stays short.
    if (h1 < 0)
        h1 = h2 < 0 ? 0 : h2;
    if (h2 < 0)
        h2 = h1;
    // Hue is a circle: a reddish background and its tint lie on both sides of 0, and the
    // long way round would flash through green and blue in mid-fade.
    if (h2 - h1 > 0.5f)
        h1 += 1.0f;
    else if (h1 - h2 > 0.5f)
        h2 += 1.0f;
    const float f = float(std::min(intensitate, 11) - 1) / 10.0f;
    float h = h1 + (h2 - h1) * f;
    if (h >= 1.0f)
        h -= 1.0f;
    const float s = s1 + (s2 - s1) * f;
    const float v = v1 + (v2 - v1) * f;
    return QColor::fromHsvF(std::clamp(h, 0.0f, 1.0f), std::clamp(s, 0.0f, 1.0f), std::clamp(v, 0.0f, 1.0f)).toRgb();
}

TZelCuloriColoana::TZelCuloriColoana(TZelVirtualGridColumn *coloana)
    : m_coloana(coloana), m_bkNormal(CuloriSistem::Fereastra()), m_bkSelectat(CuloriSistem::Evidentiere()),
      m_fontNormal(FontImplicitCelula(CuloriSistem::TextFereastra())),
      m_fontSelectat(FontImplicitCelula(CuloriSistem::TextEvidentiat()))
{
}

void TZelCuloriColoana::Schimbat()
{
    if (m_coloana)
        m_coloana->Schimbat();
}

void TZelCuloriColoana::SetCuloareBackgroundNormal(const QColor &c) { m_bkNormal = c; Schimbat(); }
void TZelCuloriColoana::SetCuloareBackgroundSelectat(const QColor &c) { m_bkSelectat = c; Schimbat(); }
void TZelCuloriColoana::SetFontNormal(const TZelFont &f) { m_fontNormal = f; Schimbat(); }
void TZelCuloriColoana::SetFontSelectat(const TZelFont &f) { m_fontSelectat = f; Schimbat(); }
void TZelCuloriColoana::SetImageIndex(int i) { m_imageIndex = i; Schimbat(); }
void TZelCuloriColoana::SetIndent(int i) { m_indent = i; Schimbat(); }
void TZelCuloriColoana::SetAliniere(Qt::Alignment a) { m_aliniere = a; Schimbat(); }
void TZelCuloriColoana::SetActiv(bool a) { m_activ = a; Schimbat(); }

// ---------------------------------------------------------------------------------------
// Lines

void TZelVirtualGridLine::SetStil(int stil)
{
    if (stil < 1 || stil > 10)
        throw EZel(QStringLiteral("Stil trebuie sa fie de la 1 la 10"));
    m_stil = stil;
}

void TZelVirtualGridLine::AplicaAtribute(quint8 atribute, QFont &font)
{
    if (atribute & 0x01) font.setBold(true);
    if (atribute & 0x02) font.setBold(false);
    if (atribute & 0x04) font.setItalic(true);
    if (atribute & 0x08) font.setItalic(false);
    if (atribute & 0x10) font.setPointSize(6);
    if (atribute & 0x20) font.setPointSize(8);
    if (atribute & 0x40) font.setPointSize(10);
    if (atribute & 0x80) font.setPointSize(11);
}

namespace {
// An open editor hands its value to the line and the column index it was opened on: before
// lines are freed or columns renumbered, it is cancelled.
void RenuntaLaEditor(TZelVirtualGrid *grid)
{
    if (grid)
        if (TZelVGridEditorForm *e = grid->Editor())
            e->Renunta();
}
} // namespace

TZelVirtualGridList::TZelVirtualGridList(TZelVirtualGrid *grid) : m_grid(grid) {}
TZelVirtualGridList::~TZelVirtualGridList() = default;

TZelVirtualGridLine *TZelVirtualGridList::Add(TZelVirtualGridLine *linie)
{
    if (!linie)
        return nullptr;
    m_grid->BeginUpdate();
    linie->m_lista = this;
    m_linii.emplace_back(linie);
    m_grid->EndUpdate();
    return linie;
}

void TZelVirtualGridList::Clear()
{
    RenuntaLaEditor(m_grid);
    m_grid->BeginUpdate();
    m_linii.clear();
    m_grid->EndUpdate();
}

TZelVirtualGridLine *TZelVirtualGridList::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_linii[size_t(index)].get();
}

// ---------------------------------------------------------------------------------------
// Columns

TZelVirtualGridColumn::TZelVirtualGridColumn(TZelVirtualGridColumns *colectie)
    : m_colectie(colectie), m_culoareHeader(ZelCuloareDinTColor(16242895)), m_fontUmbrela1(FontImplicitUmbrela()),
      m_fontUmbrela2(FontImplicitUmbrela())
{
    for (int i = 0; i < 10; ++i)
        m_stiluri.push_back(std::make_unique<TZelCuloriColoana>(this));
    // Set before any grid sees the column, so no repaint is asked for.
    TZelVirtualGridColumns *c = m_colectie;
    m_colectie = nullptr;
    m_stiluri[0]->SetActiv(true);
    m_colectie = c;
}

TZelVirtualGridColumn::~TZelVirtualGridColumn() = default;

int TZelVirtualGridColumn::Index() const
{
    return m_colectie ? m_colectie->IndexOf(this) : -1;
}

QString TZelVirtualGridColumn::DisplayName() const
{
    return QStringLiteral("[") + QString::number(Index()) + QStringLiteral("] ") +
           (m_nume.isEmpty() ? QStringLiteral("<fara nume>") : m_nume);
}

TZelVirtualGrid *TZelVirtualGridColumn::Grid() const
{
    return m_colectie ? m_colectie->Grid() : nullptr;
}

void TZelVirtualGridColumn::Schimbat()
{
    if (TZelVirtualGrid *g = Grid())
        g->InvalidateGrid();
}

void TZelVirtualGridColumn::SetTipDeDate(TZelTipDeDateColoana t) { m_tip = t; Schimbat(); }
void TZelVirtualGridColumn::SetNumeColoana(const QString &s) { m_nume = s; Schimbat(); }
void TZelVirtualGridColumn::SetCuloareHeader(const QColor &c) { m_culoareHeader = c; Schimbat(); }
void TZelVirtualGridColumn::SetAliniereTextInHeader(Qt::Alignment a) { m_aliniereHeader = a; Schimbat(); }
void TZelVirtualGridColumn::SetUmbrela1(const QString &s) { m_umbrela1 = s; Schimbat(); }
void TZelVirtualGridColumn::SetUmbrela2(const QString &s) { m_umbrela2 = s; Schimbat(); }
void TZelVirtualGridColumn::SetFontUmbrela1(const TZelFont &f) { m_fontUmbrela1 = f; Schimbat(); }
void TZelVirtualGridColumn::SetFontUmbrela2(const TZelFont &f) { m_fontUmbrela2 = f; Schimbat(); }
void TZelVirtualGridColumn::SetCuloareUmbrela1(const QColor &c) { m_culoareUmbrela1 = c; Schimbat(); }
void TZelVirtualGridColumn::SetCuloareUmbrela2(const QColor &c) { m_culoareUmbrela2 = c; Schimbat(); }
void TZelVirtualGridColumn::SetAllowMultiLineGridPrint(bool v) { m_multiLinePrint = v; Schimbat(); }

void TZelVirtualGridColumn::SetWidth(int w)
{
    if (w == m_width)
        return;
    m_width = w;
    if (TZelVirtualGrid *g = Grid()) {
        g->BeginUpdate();
        g->EndUpdate();
    }
}

TZelCuloriColoana &TZelVirtualGridColumn::Stil(int nr)
{
    return const_cast<TZelCuloriColoana &>(std::as_const(*this).Stil(nr));
}

const TZelCuloriColoana &TZelVirtualGridColumn::Stil(int nr) const
{
    if (nr < 1 || nr > 10)
        throw EZel(QStringLiteral("Sunt definite stiluri de la 1 la 10"));
    return *m_stiluri[size_t(nr - 1)];
}

TZelVirtualGridColumns::TZelVirtualGridColumns(TZelVirtualGrid *grid) : m_grid(grid) {}
TZelVirtualGridColumns::~TZelVirtualGridColumns() = default;

TZelVirtualGridColumn *TZelVirtualGridColumns::Add()
{
    m_coloane.push_back(std::make_unique<TZelVirtualGridColumn>(this));
    if (m_grid)
        m_grid->CerereLayout();
    return m_coloane.back().get();
}

void TZelVirtualGridColumns::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    RenuntaLaEditor(m_grid);
    m_coloane.erase(m_coloane.begin() + index);
    if (m_grid)
        m_grid->CerereLayout();
}

void TZelVirtualGridColumns::Clear()
{
    RenuntaLaEditor(m_grid);
    m_coloane.clear();
    if (m_grid)
        m_grid->CerereLayout();
}

TZelVirtualGridColumn *TZelVirtualGridColumns::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_coloane[size_t(index)].get();
}

int TZelVirtualGridColumns::IndexOf(const TZelVirtualGridColumn *c) const
{
    for (size_t i = 0; i < m_coloane.size(); ++i)
        if (m_coloane[i].get() == c)
            return int(i);
    return -1;
}

// ---------------------------------------------------------------------------------------
// Proposals

namespace {
QString FaraPuncte(const QString &s)
{
    QString r = s;
    r.remove(QLatin1Char('.'));
    return r;
}
} // namespace

QString TLinieDeDateFiltrareCautare::TextCautare() const
{
    QStringList parti;
    parti.reserve(Celule.size());
    for (const QString &c : Celule)
        parti << FaraPuncte(c).trimmed().toLower();
    return parti.join(QLatin1Char(' '));
}

TLinieDeDateFiltrareCautare *TListaLiniiDeDateFiltrareCautare::Add(int id, const QStringList &celule)
{
    auto l = std::make_unique<TLinieDeDateFiltrareCautare>();
    l->Id = id;
    l->Celule = celule;
    m_linii.push_back(std::move(l));
    return m_linii.back().get();
}

void TListaLiniiDeDateFiltrareCautare::Clear()
{
    m_linii.clear();
    TitluriColoane.clear();
    LatimiColoane.clear();
    Strict = false;
}

QStringList TListaLiniiDeDateFiltrareCautare::CuvinteFiltru(const QString &text)
{
    QString t = FaraPuncte(text.toLower()).trimmed();
    for (QChar &c : t) {
        const bool cifra = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool litera = c >= QLatin1Char('a') && c <= QLatin1Char('z');
        if (!cifra && !litera)
            c = QLatin1Char(' ');
    }
    return t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QList<int> TListaLiniiDeDateFiltrareCautare::Filtreaza(const QString &text) const
{
    const QStringList cuvinte = CuvinteFiltru(text);
    QList<int> rezultat;
    for (int i = 0; i < Count(); ++i) {
        const QString cautare = m_linii[size_t(i)]->TextCautare();
        bool toate = true;
        for (const QString &c : cuvinte) {
            if (!cautare.contains(c)) {
                toate = false;
                break;
            }
        }
        if (toate)
            rezultat << i;
    }
    return rezultat;
}

// ---------------------------------------------------------------------------------------
// Tick thread

TZelVGridTickThread::TZelVGridTickThread(std::shared_ptr<TStare> stare) : m_stare(std::move(stare))
{
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TZelVGridTickThread::run()
{
    for (;;) {
        {
            QReadLocker l(&m_stare->Lacat);
            if (m_stare->Termina)
                return;
            // Posting under the read lock: the grid takes the write lock before it goes away.
            if (m_stare->Ticaie && m_stare->Tinta)
                QCoreApplication::postEvent(m_stare->Tinta, new QEvent(TipTick));
        }
        Ceas::Dormi(100);
    }
}

// ---------------------------------------------------------------------------------------
// The grid

TZelVirtualGrid::TZelVirtualGrid(QWidget *parent)
    : TZelCustomDrawGrid(parent), m_coloane(std::make_unique<TZelVirtualGridColumns>(this)),
      m_linii(std::make_unique<TZelVirtualGridList>(this)),
      m_stareTickuri(std::make_shared<TZelVGridTickThread::TStare>())
{
    m_stareTickuri->Tinta = this;
    RedimensionareColoane = true;
    resize(320, 240);
    RefaLayout();
}

TZelVirtualGrid::~TZelVirtualGrid()
{
    m_distrugere = true;
    if (m_editor)
        delete m_editor.data();
    {
        QWriteLocker l(&m_stareTickuri->Lacat);
        m_stareTickuri->Ticaie = false;
        m_stareTickuri->Termina = true;
        m_stareTickuri->Tinta = nullptr;
    }
    // The thread ends by itself within one sleep; waiting keeps it from outliving the program.
    if (m_fir)
        m_fir->wait(1000);
}

int TZelVirtualGrid::HeaderHeight() const
{
    if (RowCount() == 0 || ColCount() == 0)
        return -1;
    return RowHeights(0);
}

void TZelVirtualGrid::SetHeaderHeight(int h)
{
    m_headerHeight = h;
    if (RowCount() > 0)
        SetRowHeights(0, h);
}

void TZelVirtualGrid::SetNrColoaneFixe(int n)
{
    m_nrColoaneFixe = std::max(0, n);
    BeginUpdate();
    EndUpdate();
}

void TZelVirtualGrid::SetOptiuni(int optiuni)
{
    m_optiuni = optiuni;
    InvalidateGrid();
}

void TZelVirtualGrid::SetListaDeImagini(const QList<QPixmap> &imagini)
{
    m_imagini = imagini;
    InvalidateGrid();
}

void TZelVirtualGrid::BeginUpdate()
{
    ++m_update;
}

void TZelVirtualGrid::EndUpdate()
{
    if (m_update == 0)
        throw EZel(QStringLiteral("EndUpdate fara BeginUpdate"));
    if (--m_update == 0)
        RefaLayout();
}

void TZelVirtualGrid::CerereLayout()
{
    if (m_layoutCerut || m_distrugere)
        return;
    m_layoutCerut = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_layoutCerut = false;
            if (!m_distrugere && m_update == 0)
                RefaLayout();
        },
        Qt::QueuedConnection);
}

int TZelVirtualGrid::ScaleazaCuCache(int a) const
{
    return ScaleazaLargeFonts(a);
}

void TZelVirtualGrid::RefaLayout()
{
    if (m_distrugere)
        return;
    SetFixedRows(0);
    SetFixedCols(0);

    const int nrColoane = std::max(1, m_coloane->Count());
    QVector<int> latimi(nrColoane, ScaleazaCuCache(128));
    for (int c = 0; c < m_coloane->Count(); ++c)
        latimi[c] = ScaleazaCuCache(m_coloane->Items(c)->Width());
    SetAllColWidths(std::move(latimi));

    // One scaling per distinct height, not per line.
    int scalat[256];
    std::fill(std::begin(scalat), std::end(scalat), -1);
    const int nrLinii = m_linii->Count();
    QVector<int> inaltimi(nrLinii + 1);
    inaltimi[0] = m_headerHeight;
    for (int i = 0; i < nrLinii; ++i) {
        int h = m_linii->Items(i)->Inaltime;
        if (h == 0)
            h = 24;
        if (scalat[h] < 0)
            scalat[h] = ScaleazaCuCache(h);
        inaltimi[i + 1] = scalat[h];
    }
    SetAllRowHeights(std::move(inaltimi));

    SetFixedRows(nrLinii >= 1 ? 1 : 0);
    if (m_nrColoaneFixe < ColCount())
        SetFixedCols(m_nrColoaneFixe);
    else
        SetFixedCols(ColCount() > 1 ? 1 : 0);

    m_hover.clear();
    m_eroriRaportate.clear();
    InvalidateGrid();
}

TZelVirtualGridLine *TZelVirtualGrid::LiniaRandului(int row) const
{
    return row >= 1 ? m_linii->Items(row - 1) : nullptr;
}

QString TZelVirtualGrid::TextCelula(int col, int row) const
{
    TZelVirtualGridLine *linie = LiniaRandului(row);
    const TZelVirtualGridColumn *c = m_coloane->Items(col);
    if (!linie || !c)
        return QString();
    if (m_proiectare) {
        switch (c->TipDeDate()) {
        case atCurrency: return QStringLiteral("123.456.789,01");
        case atInteger: return QStringLiteral("421");
        case atIntegerDouaZecimale: return QStringLiteral("421,89");
        case atString:
        case atAsk: return QStringLiteral("Text");
        default: return QStringLiteral("??");
        }
    }
    if (c->OnGetText) {
        QString t;
        c->OnGetText(linie, t);
        return t;
    }
    if (!OnGetCellValue)
        return QStringLiteral("!NoData!");
    TZelValoareDate v;
    OnGetCellValue(linie, col, v);
    if (v.Tip() == atAsk)
        return QStringLiteral("!NoData!");
    const TZelTipDeDateColoana asteptat = c->TipDeDate();
    if (asteptat != atAuto && asteptat != atAsk && v.Tip() != asteptat) {
        const bool echivalente = (asteptat == atCurrency && v.Tip() == atString) ||
                                 (asteptat == atString && v.Tip() == atCurrency);
        if (!echivalente)
            throw EZel(TextMesajNepotrivire().arg(c->NumeColoana(), NumeTipDeDate(v.Tip()), NumeTipDeDate(asteptat)));
    }
    QString text = v.Text();
    if (OnCustomText)
        OnCustomText(linie, v, col, text);
    return text;
}

const TZelCuloriColoana &TZelVirtualGrid::StilFolosit(const TZelVirtualGridColumn &c, const TZelVirtualGridLine &l)
{
    const int s = l.Stil();
    if (s < 1 || s > 10)
        throw EZel(QStringLiteral("Sunt definite stiluri de la 1 la 10"));
    for (int k = s; k >= 2; --k)
        if (c.Stil(k).Activ())
            return c.Stil(k);
    return c.Stil(1);
}

TZelVirtualGrid::TStilCelula TZelVirtualGrid::StilCelula(int col, int row, bool selectat) const
{
    TStilCelula s;
    s.Fundal = CuloriSistem::Fereastra();
    s.Font = FontImplicitCelula(CuloriSistem::TextFereastra());
    s.CuloareLinii = CuloriSistem::TextFereastra();
    s.Aliniere = Qt::AlignLeft;
    TZelVirtualGridLine *linie = LiniaRandului(row);
    const TZelVirtualGridColumn *c = m_coloane->Items(col);
    if (!linie || !c)
        return s;
    const TZelCuloriColoana &st = StilFolosit(*c, *linie);
    s.Fundal = selectat ? st.CuloareBackgroundSelectat() : st.CuloareBackgroundNormal();
    s.Font = selectat ? st.FontSelectat() : st.FontNormal();
    s.Aliniere = st.Aliniere();
    s.ImageIndex = st.ImageIndex();
    s.Indent = st.Indent();
    if (!selectat) {
        if (linie->CuloareBackground.isValid())
            s.Fundal = linie->CuloareBackground;
        if (linie->CuloareFont.isValid())
            s.Font.Culoare = linie->CuloareFont;
    }
    TZelVirtualGridLine::AplicaAtribute(linie->Atribute, s.Font.Font);
    s.Fundal = RemapeazaCuloareGrid(s.Fundal);
    if (!selectat) {
        if (OnFormatCell)
            OnFormatCell(linie, col, s.Fundal, s.Font);
        const int i = IntensitateHover(col, row);
        if (i > 1)
            s.Fundal = CuloareHover(s.Fundal, i);
    }
    if ((m_optiuni & goSelectezLinia) && row == Row() && col >= FixedCols())
        s.Fundal = CuloriSistem::Evidentiere();
    return s;
}

void TZelVirtualGrid::SetModProiectare(bool v)
{
    m_proiectare = v;
    InvalidateGrid();
}

void TZelVirtualGrid::RaporteazaEroarea(const QString &mesaj) const
{
    // Once per message until the next layout, and never from inside a paint.
    if (m_eroriRaportate.contains(mesaj))
        return;
    m_eroriRaportate << mesaj;
    QMetaObject::invokeMethod(const_cast<TZelVirtualGrid *>(this), [mesaj] { Mesaje::Eroare(mesaj); },
                              Qt::QueuedConnection);
}

void TZelVirtualGrid::DrawCell(QPainter &p, int col, int row, const QRect &rect, int stare)
{
    if (row == 0)
        DeseneazaHeader(p, col, rect);
    else
        DeseneazaDate(p, col, row, rect, stare);
}

void TZelVirtualGrid::DeseneazaDate(QPainter &p, int col, int row, const QRect &rect, int stare)
{
    TZelVirtualGridLine *linie = LiniaRandului(row);
    const TZelVirtualGridColumn *coloana = m_coloane->Items(col);
    if (!linie || !coloana) {
        p.fillRect(rect, CuloriSistem::Fereastra());
        return;
    }
    const bool fixa = col < FixedCols();
    const bool selectat = (stare & gdSelected) || ((m_optiuni & goSelectezLinia) && row == Row() && !fixa);
    TStilCelula st;
    QString text;
    try {
        st = StilCelula(col, row, selectat);
        text = TextCelula(col, row);
    } catch (const EZel &e) {
        p.fillRect(rect, CuloriSistem::Fereastra());
        p.setPen(Qt::red);
        p.drawText(rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, e.Mesaj());
        RaporteazaEroarea(e.Mesaj());
        return;
    }
    p.fillRect(rect, st.Fundal);

    int stanga = st.Indent >= 0 ? st.Indent : 2;
    int imagine = st.ImageIndex;
    if (coloana->OnGetImageIndex)
        coloana->OnGetImageIndex(linie, col, imagine);
    else if (OnGetImageIndex)
        OnGetImageIndex(linie, col, imagine);
    if (imagine >= 0 && imagine < m_imagini.size()) {
        const QPixmap &px = m_imagini[imagine];
        p.drawPixmap(rect.left() + stanga, rect.top() + (rect.height() - px.height()) / 2, px);
        stanga += px.width() * 3 / 2;
    }
    if (!text.isEmpty()) {
        p.setFont(st.Font.Font);
        p.setPen(st.Font.Culoare);
        p.drawText(rect.adjusted(stanga, 0, -2, 0), int(st.Aliniere | Qt::AlignVCenter) | Qt::TextSingleLine, text);
    }

    const QColor linii = fixa ? CuloriSistem::TextFereastra() : CuloriSistem::UmbraButon();
    if (fixa || !(m_optiuni & goNuAfisezLiniiVerticale)) {
        p.setPen(linii);
        p.drawLine(rect.topRight(), rect.bottomRight());
    }
    if (!(m_optiuni & goNuAfisezLiniiOrizontale)) {
        p.setPen(linii);
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
    if (fixa && col == FixedCols() - 1) {
        p.setPen(CuloriSistem::UmbraButon());
        p.drawLine(rect.right() - 1, rect.top(), rect.right() - 1, rect.bottom());
        p.setPen(CuloriSistem::TextFereastra());
        p.drawLine(rect.topRight(), rect.bottomRight());
    }
}

namespace {
QString TextUmbrela(const QString &s)
{
    const int bara = int(s.indexOf(QLatin1Char('|')));
    return bara >= 0 ? s.mid(bara + 1) : s;
}
} // namespace

void TZelVirtualGrid::DeseneazaHeader(QPainter &p, int col, const QRect &rect)
{
    const TZelVirtualGridColumn *c = m_coloane->Items(col);
    const QColor linii = CuloriSistem::TextFereastra();
    if (!c) {
        p.fillRect(rect, RemapeazaCuloareGrid(ZelCuloareDinTColor(16242895)));
        p.setPen(linii);
        p.drawLine(rect.topRight(), rect.bottomRight());
        p.drawLine(rect.bottomLeft(), rect.bottomRight());
        return;
    }
    const QColor fundal = RemapeazaCuloareGrid(c->CuloareHeader());
    p.fillRect(rect, fundal);

    const bool fixa = col < FixedCols();
    auto acelasiGrup = [&](int a, int b) { return (a < FixedCols()) == (b < FixedCols()); };
    int y = rect.top();
    for (int banda = 1; banda <= 2; ++banda) {
        auto cheie = [&](int k) {
            const TZelVirtualGridColumn *ck = m_coloane->Items(k);
            if (banda == 1)
                return ck->Umbrela1();
            // The second band lies lower when the first one is there: runs keep to one height.
            return (ck->Umbrela1().isEmpty() ? QStringLiteral("0") : QStringLiteral("1")) + ck->Umbrela2();
        };
        const QString text = banda == 1 ? c->Umbrela1() : c->Umbrela2();
        if (text.isEmpty())
            continue;
        const TZelFont &font = banda == 1 ? c->FontUmbrela1() : c->FontUmbrela2();
        const QColor culoare = banda == 1 ? c->CuloareUmbrela1() : c->CuloareUmbrela2();
        const QString k = cheie(col);
        int prima = col, ultima = col;
        while (prima - 1 >= 0 && acelasiGrup(prima - 1, col) && cheie(prima - 1) == k)
            --prima;
        while (ultima + 1 < m_coloane->Count() && acelasiGrup(ultima + 1, col) && cheie(ultima + 1) == k)
            ++ultima;
        const QFontMetrics fm(font.Font, p.device());
        const int h = fm.height();
        const int x0 = ColumnX(prima);
        const int x1 = ColumnX(ultima) + ColWidths(ultima);
        // A run partly scrolled away keeps its caption on the part still shown.
        const int vizStanga = fixa ? 0 : FixedWidth();
        const int vizDreapta = fixa ? FixedWidth() : viewport()->width();
        const int st = std::max(x0, vizStanga), dr = std::min(x1, vizDreapta);
        const QRect banda_ = dr > st ? QRect(st, y, dr - st, h) : QRect(x0, y, x1 - x0, h);
        p.save();
        p.setClipRect(rect);
        p.fillRect(banda_.intersected(rect), RemapeazaCuloareGrid(culoare.isValid() ? culoare : fundal));
        p.setFont(font.Font);
        p.setPen(font.Culoare);
        p.drawText(banda_, Qt::AlignCenter | Qt::TextSingleLine, TextUmbrela(text));
        p.setPen(linii);
        p.drawLine(rect.left(), y + h - 1, rect.right(), y + h - 1);
        if (col == ultima)
            p.drawLine(rect.right(), y, rect.right(), y + h - 1);
        p.restore();
        y += h;
    }

    // The title: Stil1's font two points smaller, at least 8, wrapped at blanks.
    QFont font = c->Stil(1).FontNormal().Font;
    font.setPointSize(std::max(8, font.pointSize() - 2));
    p.setFont(font);
    p.setPen(c->Stil(1).FontNormal().Culoare);
    const QRect titlu(rect.left() + 2, y, rect.width() - 4, rect.bottom() + 1 - y);
    p.drawText(titlu, int(c->AliniereTextInHeader() | Qt::AlignVCenter) | Qt::TextWordWrap, c->NumeColoana());

    p.setPen(linii);
    p.drawLine(rect.right(), y, rect.right(), rect.bottom());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    if (fixa && col == FixedCols() - 1) {
        p.setPen(CuloriSistem::UmbraButon());
        p.drawLine(rect.right() - 1, y, rect.right() - 1, rect.bottom());
    }
}

// ---------------------------------------------------------------------------------------
// Hover

int TZelVirtualGrid::IntensitateHover(int col, int row) const
{
    for (const TZelCelulaGrid &c : m_hover)
        if (c.Coloana == col && c.Rand == row)
            return c.Intensitate;
    return 0;
}

bool TZelVirtualGrid::Ticaie() const
{
    QReadLocker l(&m_stareTickuri->Lacat);
    return m_stareTickuri->Ticaie;
}

void TZelVirtualGrid::PornesteTickuri(bool porneste)
{
    {
        QWriteLocker l(&m_stareTickuri->Lacat);
        if (m_stareTickuri->Ticaie == porneste)
            return;
        m_stareTickuri->Ticaie = porneste;
    }
    if (porneste && !m_tickuriManuale && !m_fir) {
        m_fir = new TZelVGridTickThread(m_stareTickuri);
        m_fir->start();
    }
}

void TZelVirtualGrid::MouseLaCelula(int col, int row)
{
    m_mouseCol = col;
    m_mouseRow = row;
    if (col < FixedCols() || row <= 0 || col >= ColCount() || row >= RowCount() || m_linii->Count() == 0) {
        m_mouseCol = m_mouseRow = -1;
        if (!m_hover.isEmpty())
            PornesteTickuri(true);
        return;
    }
    auto marcheaza = [&](int c) {
        for (TZelCelulaGrid &h : m_hover) {
            if (h.Coloana == c && h.Rand == row) {
                if (h.Intensitate != 10) {
                    h.Intensitate = 10;
                    InvalidateCell(c, row);
                }
                return;
            }
        }
        m_hover.append(TZelCelulaGrid{c, row, 10});
        InvalidateCell(c, row);
    };
    if (m_optiuni & goSelectezLinia) {
        for (int c = FixedCols(); c < ColCount(); ++c)
            marcheaza(c);
    } else {
        marcheaza(col);
    }
    PornesteTickuri(true);
}

void TZelVirtualGrid::Tick()
{
    const bool peLinie = m_optiuni & goSelectezLinia;
    for (int i = 0; i < m_hover.size();) {
        TZelCelulaGrid &h = m_hover[i];
        const bool subMouse = peLinie ? h.Rand == m_mouseRow : (h.Coloana == m_mouseCol && h.Rand == m_mouseRow);
        if (subMouse) {
            if (h.Intensitate != 10) {
                h.Intensitate = 10;
                InvalidateCell(h.Coloana, h.Rand);
            }
            ++i;
            continue;
        }
        h.Intensitate -= 2;
        InvalidateCell(h.Coloana, h.Rand);
        if (h.Intensitate <= 0)
            m_hover.removeAt(i);
        else
            ++i;
    }
    if (m_hover.isEmpty())
        PornesteTickuri(false);
}

void TZelVirtualGrid::mouseMoveEvent(QMouseEvent *e)
{
    TZelCustomDrawGrid::mouseMoveEvent(e);
    int c, r;
    if (MouseToCell(e->position().toPoint(), c, r))
        MouseLaCelula(c, r);
    else
        MouseLaCelula(-1, -1);
}

void TZelVirtualGrid::leaveEvent(QEvent *e)
{
    TZelCustomDrawGrid::leaveEvent(e);
    MouseLaCelula(-1, -1);
}

bool TZelVirtualGrid::viewportEvent(QEvent *e)
{
    if (e->type() == QEvent::Leave)
        MouseLaCelula(-1, -1);
    return TZelCustomDrawGrid::viewportEvent(e);
}

bool TZelVirtualGrid::event(QEvent *e)
{
    if (e->type() == TipTick) {
        Tick();
        return true;
    }
    return TZelCustomDrawGrid::event(e);
}

void TZelVirtualGrid::resizeEvent(QResizeEvent *e)
{
    TZelCustomDrawGrid::resizeEvent(e);
    const QString dim = QString::number(viewport()->width()) + QLatin1Char('x') + QString::number(viewport()->height());
    if (dim != m_dimensiune) {
        m_dimensiune = dim;
        InvalidateGrid();
    }
}

// ---------------------------------------------------------------------------------------
// Keys and the pop-up editor

bool TZelVirtualGrid::EditorPermis(int col, int row, TZelValoareDate &v) const
{
    if (col < FixedCols() || row <= 0 || col >= m_coloane->Count())
        return false;
    TZelVirtualGridLine *linie = LiniaRandului(row);
    if (!linie || !OnGetCellValue)
        return false;
    OnGetCellValue(linie, col, v);
    if (v.Tip() < atCurrency || v.Tip() > atDataLung)
        return false;
    bool poate = true;
    if (OnPotEdita)
        OnPotEdita(linie, col, poate);
    return poate;
}

TZelVGridEditorForm *TZelVirtualGrid::Editor() const
{
    return m_editor.data();
}

bool TZelVirtualGrid::DeschideEditorul(const QString &textTastat)
{
    if (m_editor || m_linii->Count() == 0)
        return false;
    const int col = Col(), row = Row();
    TZelValoareDate v;
    if (!EditorPermis(col, row, v))
        return false;
    TZelVirtualGridColumn *c = m_coloane->Items(col);
    TZelVirtualGridLine *linie = LiniaRandului(row);
    if (c->OnApeleazaEditor) {
        bool standard = false;
        c->OnApeleazaEditor(linie, standard);
        if (!standard)
            return false;
    }
    FaVizibilaCelula(col, row);
    QRect celula = CellRect(col, row);
    if (celula.isNull())
        return false;
    celula.moveTopLeft(viewport()->mapToGlobal(celula.topLeft()));
    m_editor = new TZelVGridEditorForm(this, linie, col, v, textTastat, celula);
    m_editor->show();
    m_editor->Activeaza();
    return true;
}

void TZelVirtualGrid::FaVizibilaCelula(int col, int row)
{
    FocusCell(col, row);
}

void TZelVirtualGrid::EditorInchis(bool acceptat, const TZelValoareDate &v, int idPropunere)
{
    const int col = m_editor ? m_editor->Coloana() : Col();
    TZelVirtualGridLine *linie = m_editor ? m_editor->Linie() : nullptr;
    m_editor = nullptr; // it deletes itself; a new one may open at once
    activateWindow();
    setFocus(Qt::OtherFocusReason);
    if (acceptat) {
        m_idPropunere = idPropunere;
        InvalidateGrid();
        if (OnSetCellValue && linie)
            OnSetCellValue(linie, col, v);
    }
}

// Errors of the program's handlers end the key or click with a message; they must not
// travel through the window system's event dispatch.
void TZelVirtualGrid::keyPressEvent(QKeyEvent *e)
{
    try {
        TrateazaTasta(e);
    } catch (const EZel &err) {
        e->accept();
        Mesaje::Eroare(err.Mesaj());
    }
}

void TZelVirtualGrid::mousePressEvent(QMouseEvent *e)
{
    try {
        TZelCustomDrawGrid::mousePressEvent(e);
    } catch (const EZel &err) {
        Mesaje::Eroare(err.Mesaj());
    }
}

void TZelVirtualGrid::TrateazaTasta(QKeyEvent *e)
{
    const int k = e->key();
    const Qt::KeyboardModifiers mod = e->modifiers() & ~Qt::KeypadModifier;
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        if (Col() >= FixedCols() && Row() != 0) {
            DeschideEditorul(QString());
            e->accept();
            return;
        }
    } else if (((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9)) &&
               !(mod & (Qt::ControlModifier | Qt::AltModifier)) && Row() != 0 && m_linii->Count() > 0) {
        QString text;
        if ((e->modifiers() & Qt::KeypadModifier) && k >= Qt::Key_0 && k <= Qt::Key_9)
            text = QString(QChar(u'0' + (k - Qt::Key_0)));
        else
            text = e->text();
        DeschideEditorul(text);
        e->accept();
        return;
    }
    TZelCustomDrawGrid::keyPressEvent(e);
}
