#include "settings/EditorConfigGlobal.h"

#include "settings/InfoGlobal.h"
#include "text/Eroare.h"
#include "text/Mesaje.h"
#include "widgets/Plasare.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTimer>

namespace {

constexpr int InaltimeElement = 32;
constexpr int LatimeLista = 161;

// Draws the popup items of the format lists with the same pictures as the closed list.
class TDesenatorFormat : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *pictor, const QStyleOptionViewItem &optiuni, const QModelIndex &index) const override
    {
        TEditorConfigGlobal::RzComboBox3DrawItem(*pictor, optiuni.rect, index.row(),
                                                 optiuni.state.testFlag(QStyle::State_Selected), optiuni.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(LatimeLista, InaltimeElement);
    }
};

QFont FontTitlu()
{
    QFont f(QStringLiteral("Arial"));
    f.setBold(true);
    f.setPixelSize(16);
    return f;
}

QLabel *Eticheta(QWidget *parinte, const QString &text, int x, int y)
{
    auto *e = new QLabel(text, parinte);
    e->move(x, y);
    e->adjustSize();
    return e;
}

QLabel *Titlu(QWidget *parinte, const QString &text)
{
    QLabel *t = Eticheta(parinte, text, 16, 8);
    t->setFont(FontTitlu());
    QPalette p = t->palette();
    p.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00)); // maroon
    t->setPalette(p);
    t->adjustSize();
    return t;
}

QLabel *Explicatie(QWidget *parinte, const QString &text)
{
    auto *e = new QLabel(text, parinte);
    e->setWordWrap(true);
    // Top-aligned in all the room above the first row of labels (y 80), so three lines fit
    // even with a larger substitute font.
    e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    e->setGeometry(16, 34, 460, 46);
    return e;
}

// Selects the item equal to the text regardless of case; no selection when none is.
void SelecteazaFormat(QComboBox *lista, const QString &format)
{
    // A fixed-string match without Qt::MatchCaseSensitive ignores case.
    lista->setCurrentIndex(lista->findText(format, Qt::MatchFixedString));
}

} // namespace

// ---- TListaFormatNota ------------------------------------------------------------

TListaFormatNota::TListaFormatNota(QWidget *parinte) : QComboBox(parinte)
{
    setEditable(false);
    setItemDelegate(new TDesenatorFormat(this));
    addItems(TEditorConfigGlobal::FormateNota());
    setFixedSize(LatimeLista, InaltimeElement + 6);
    view()->setMinimumWidth(LatimeLista);
}

void TListaFormatNota::paintEvent(QPaintEvent *)
{
    QPainter pictor(this);
    QStyleOptionComboBox optiuni;
    initStyleOption(&optiuni);
    optiuni.currentText.clear();
    optiuni.currentIcon = QIcon();
    style()->drawComplexControl(QStyle::CC_ComboBox, &optiuni, &pictor, this);
    if (currentIndex() < 0)
        return;
    const QRect camp = style()->subControlRect(QStyle::CC_ComboBox, &optiuni, QStyle::SC_ComboBoxEditField, this);
    QRect element(camp.left(), camp.top() + (camp.height() - InaltimeElement) / 2, camp.width(), InaltimeElement);
    pictor.setClipRect(camp);
    TEditorConfigGlobal::RzComboBox3DrawItem(pictor, element, currentIndex(), hasFocus(), palette());
}

// ---- TEditorConfigGlobal ---------------------------------------------------------

QStringList TEditorConfigGlobal::FormateNota()
{
    return {QStringLiteral("NOTA"), QStringLiteral("NOTA(PROCENT)"), QStringLiteral("NOTA/PROCENT"),
            QStringLiteral("NOTA/LITERE")};
}

QList<QPair<int, QString>> TEditorConfigGlobal::LiniiMostra(int index)
{
    // Fixed pictures of each format, not produced by the grade formatting.
    switch (index) {
    case 0: return {{8, QStringLiteral("9,63")}};
    case 1: return {{8, QStringLiteral("9,63 (noua 63%)")}};
    case 2: return {{1, QStringLiteral("9,63")}, {13, QStringLiteral("(noua 63%)")}};
    case 3: return {{1, QStringLiteral("9,63")}, {13, QStringLiteral("(noua,sasezecisitrei)")}};
    default: return {};
    }
}

void TEditorConfigGlobal::RzComboBox3DrawItem(QPainter &pictor, const QRect &dreptunghi, int index, bool selectat,
                                              const QPalette &paleta)
{
    pictor.save();
    pictor.fillRect(dreptunghi, paleta.color(selectat ? QPalette::Highlight : QPalette::Base));
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(10);
    pictor.setFont(font);
    pictor.setBackgroundMode(Qt::TransparentMode);
    pictor.setPen(paleta.color(selectat ? QPalette::HighlightedText : QPalette::Text));
    // Measured on the device being painted, which may not be the screen.
    const QFontMetrics fm = pictor.fontMetrics();
    for (const auto &[deplasare, text] : LiniiMostra(index)) {
        const int x = dreptunghi.left() + (dreptunghi.width() - fm.horizontalAdvance(text)) / 2;
        // The offset is the top of the line; Qt draws at the baseline.
        const int y = dreptunghi.top() + deplasare + fm.ascent();
        pictor.drawText(x, y, text);
    }
    pictor.restore();
}

TEditorConfigGlobal::TEditorConfigGlobal(QWidget *parinte)
    : QDialog(parinte, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    ConstruiesteFereastra();
    FormCreate();
}

void TEditorConfigGlobal::ConstruiesteFereastra()
{
    setObjectName(QStringLiteral("EditorConfigGlobal"));
    setWindowTitle(QStringLiteral("Editor informatii globale"));
    setFixedSize(588, 347);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    setModal(true);

    RzPageControl1 = new QTabWidget(this);
    RzPageControl1->setObjectName(QStringLiteral("RzPageControl1"));
    RzPageControl1->setGeometry(8, 8, 497, 289);

    // Salutations: kept and edited, but the page is not reachable by the user.
    auto *sufixe = new QWidget;
    sufixe->setObjectName(QStringLiteral("TabSheetSufix"));
    Titlu(sufixe, QStringLiteral("Sufix dl / domnul e.t.c."));
    Explicatie(sufixe, QStringLiteral("Programul stabileste automat genul persoanelor care primesc diplome de studii "
                                      "pe baza primei cifre din codul numeric personal. Va rugam specificati care "
                                      "este apelativul cel mai potrivit pentru fete si baieti:"));
    Eticheta(sufixe, QStringLiteral("Sufix fete:"), 24, 80);
    RzComboBox1 = new QComboBox(sufixe);
    RzComboBox1->setObjectName(QStringLiteral("RzComboBox1"));
    RzComboBox1->setEditable(true);
    RzComboBox1->setInsertPolicy(QComboBox::NoInsert);
    RzComboBox1->addItems({QStringLiteral("domnisoara"), QStringLiteral("doamna"), QStringLiteral("dra")});
    RzComboBox1->setGeometry(24, 96, 185, RzComboBox1->sizeHint().height());
    Eticheta(sufixe, QStringLiteral("Sufix baieti:"), 24, 152);
    RzComboBox2 = new QComboBox(sufixe);
    RzComboBox2->setObjectName(QStringLiteral("RzComboBox2"));
    RzComboBox2->setEditable(true);
    RzComboBox2->setInsertPolicy(QComboBox::NoInsert);
    RzComboBox2->addItems({QStringLiteral("domnul"), QStringLiteral("dl")});
    RzComboBox2->setGeometry(24, 168, 185, RzComboBox2->sizeHint().height());
    RzPageControl1->addTab(sufixe, QStringLiteral("Sufix domnul / doamna"));

    auto *note = new QWidget;
    note->setObjectName(QStringLiteral("TabSheetNote"));
    Titlu(note, QStringLiteral("Mod scriere note in litere"));
    Explicatie(note, QStringLiteral("Aici puteti specifica modul in care vor fi inscrise pe diplome notele si mediile "
                                    "pentru probele de examen cu nota."));
    auto lista = [note](const QString &nume, const QString &eticheta, int x, int yEticheta, int yLista) {
        Eticheta(note, eticheta, x, yEticheta);
        auto *l = new TListaFormatNota(note);
        l->setObjectName(nume);
        l->move(x, yLista);
        return l;
    };
    RzComboBox3 = lista(QStringLiteral("RzComboBox3"), QStringLiteral("Nota diploma:"), 24, 80, 96);
    RzComboBox4 = lista(QStringLiteral("RzComboBox4"), QStringLiteral("Medie diploma:"), 24, 152, 168);
    RzComboBox5 = lista(QStringLiteral("RzComboBox5"), QStringLiteral("Nota cotor:"), 216, 80, 96);
    RzComboBox6 = lista(QStringLiteral("RzComboBox6"), QStringLiteral("Medie cotor:"), 216, 152, 168);
    RzRadioButton1 = new QRadioButton(QStringLiteral("Scriu notele cu LITERE MARI"), note);
    RzRadioButton1->setObjectName(QStringLiteral("RzRadioButton1"));
    RzRadioButton1->move(24, 216);
    RzRadioButton1->adjustSize();
    RzRadioButton2 = new QRadioButton(QStringLiteral("Scriu notele cu litere mici"), note);
    RzRadioButton2->setObjectName(QStringLiteral("RzRadioButton2"));
    RzRadioButton2->move(208, 216);
    RzRadioButton2->adjustSize();
    RzPageControl1->addTab(note, QStringLiteral("Mod tiparire note"));
    // Hidden and disabled: Ctrl+Tab and the wheel step over hidden tabs only when disabled too.
    RzPageControl1->setTabVisible(0, false);
    RzPageControl1->setTabEnabled(0, false);
    RzPageControl1->setCurrentIndex(1);

    m_nota = Eticheta(this, QStringLiteral("Nota:"), 8, 304);
    m_nota->setObjectName(QStringLiteral("EtichetaNota"));
    m_nota->setFont(FontTitlu());
    m_nota->adjustSize();
    QPalette rosu = m_nota->palette();
    rosu.setColor(QPalette::WindowText, Qt::red);
    m_nota->setPalette(rosu);
    m_clipire = new QTimer(this);
    m_clipire->setInterval(500);
    connect(m_clipire, &QTimer::timeout, this, [this] {
        QPalette p = m_nota->palette();
        const bool aprins = p.color(QPalette::WindowText) == QColor(Qt::red);
        p.setColor(QPalette::WindowText, aprins ? palette().color(QPalette::Window) : QColor(Qt::red));
        m_nota->setPalette(p);
    });
    m_clipire->start();
    Eticheta(this,
             QStringLiteral("Modificarile efectuate in acest editor afecteaza TOATE formularele de diplome pentru anul "
                            "curent"),
             8, 324);

    RzBitBtn1 = new QPushButton(QStringLiteral("Ok"), this);
    RzBitBtn1->setObjectName(QStringLiteral("RzBitBtn1"));
    RzBitBtn1->setGeometry(512, 8, 70, 25);
    RzBitBtn2 = new QPushButton(QStringLiteral("Renunt"), this);
    RzBitBtn2->setObjectName(QStringLiteral("RzBitBtn2"));
    RzBitBtn2->setGeometry(512, 40, 70, 25);
    connect(RzBitBtn1, &QPushButton::clicked, this, &TEditorConfigGlobal::RzBitBtn1Click);
    connect(RzBitBtn2, &QPushButton::clicked, this, &TEditorConfigGlobal::RzBitBtn2Click);
}

void TEditorConfigGlobal::FormCreate()
{
    {
        TInfoGlobal2005 info;
        // Only the lists show the suggestions; the settings keep their empty values.
        RzComboBox1->setEditText(info.SufixFete().isEmpty() ? QStringLiteral("dra") : info.SufixFete());
        RzComboBox2->setEditText(info.SufixBaieti().isEmpty() ? QStringLiteral("domnul") : info.SufixBaieti());
        if (info.NotaDiploma().isEmpty())
            info.SetNotaDiploma(QStringLiteral("NOTA/LITERE"));
        if (info.NotaCotor().isEmpty())
            info.SetNotaCotor(QStringLiteral("NOTA(PROCENT)"));
        if (info.MedieDiploma().isEmpty())
            info.SetMedieDiploma(QStringLiteral("NOTA/LITERE"));
        if (info.MedieCotor().isEmpty())
            info.SetMedieCotor(QStringLiteral("NOTA(PROCENT)"));
        SelecteazaFormat(RzComboBox3, info.NotaDiploma());
        SelecteazaFormat(RzComboBox4, info.MedieDiploma());
        SelecteazaFormat(RzComboBox5, info.NotaCotor());
        SelecteazaFormat(RzComboBox6, info.MedieCotor());
        if (info.ScriuCuLitereMari() == QLatin1String("0"))
            RzRadioButton2->setChecked(true);
        else
            RzRadioButton1->setChecked(true);
        // Freeing the settings here stores the defaults, whatever the user does next.
    }
    CentreazaForm(this);
}

void TEditorConfigGlobal::RzBitBtn1Click()
{
    try {
        TInfoGlobal2005 info;
        info.SetSufixFete(RzComboBox1->currentText());
        info.SetSufixBaieti(RzComboBox2->currentText());
        // A list without a selection (a stored name outside the four) keeps the stored value.
        auto format = [](QComboBox *lista, const QString &stocat) {
            return lista->currentIndex() >= 0 ? lista->itemText(lista->currentIndex()) : stocat;
        };
        info.SetNotaDiploma(format(RzComboBox3, info.NotaDiploma()));
        info.SetMedieDiploma(format(RzComboBox4, info.MedieDiploma()));
        info.SetNotaCotor(format(RzComboBox5, info.NotaCotor()));
        info.SetMedieCotor(format(RzComboBox6, info.MedieCotor()));
        info.SetScriuCuLitereMari(RzRadioButton1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const EZel &e) {
        // The window stays open so nothing the user chose is lost.
        Mesaje::Eroare(e.Mesaj());
        return;
    }
    accept();
}

void TEditorConfigGlobal::RzBitBtn2Click()
{
    reject();
}
