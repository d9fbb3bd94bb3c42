#include "widgets/ZelVGridEditor.h"

#include "text/Eroare.h"
#include "text/Mesaje.h"
#include "widgets/UZelEditors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRegion>
#include <QScreen>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {
constexpr int LatimeButon = 24;
constexpr int InaltimePanou = 128;

bool EsteNumar(TZelTipDeDateColoana t)
{
    return t == atCurrency || t == atInteger || t == atIntegerDouaZecimale;
}

bool EsteData(TZelTipDeDateColoana t)
{
    return t == atDataScurtFaraAn || t == atDataScurtCuAn || t == atDataLung;
}
} // namespace

TZelVGridEditorForm::TZelVGridEditorForm(TZelVirtualGrid *grid, TZelVirtualGridLine *linie, int coloana,
                                         const TZelValoareDate &valoare, const QString &textTastat, const QRect &celula)
    : QWidget(grid, Qt::Popup | Qt::FramelessWindowHint), m_grid(grid), m_linie(linie), m_coloana(coloana),
      m_tip(valoare.Tip())
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    int latimeControl = std::max(celula.width(), 40);
    const int inaltime = celula.height() + 1;
    QWidget *control = nullptr;

    if (EsteNumar(m_tip)) {
        m_num = new TZelNumEdit(this);
        m_num->SetNrCifreDupaVirgula(m_tip == atInteger ? 0 : (m_tip == atCurrency ? 4 : 2));
        m_num->resize(latimeControl, inaltime);
        if (m_tip == atCurrency)
            m_num->SetAsCurrency(valoare.AsCurrency());
        else if (m_tip == atInteger)
            m_num->SetFaraZecimale(valoare.AsInteger());
        else
            m_num->SetCuDouaZecimale(valoare.AsIntegerDouaZecimale());
        // A typed digit starts a new number; anything else keeps the value, selected.
        if (textTastat.size() == 1 && textTastat[0].isDigit()) {
            m_num->SetText(textTastat);
            m_num->SetAutoSelectOnEnter(false);
            m_num->SeteazaSelectia(2, 0);
        }
        control = m_num;
    } else if (m_tip == atString) {
        m_text = new TZelTextEdit(this);
        m_text->resize(latimeControl, inaltime);
        m_text->SetText(valoare.AsString());
        if (!textTastat.isEmpty()) {
            m_text->SetText(textTastat);
            m_text->SetAutoSelectOnEnter(false);
            m_text->SeteazaSelectia(int(m_text->Text().size()) + 1, 0);
        }
        control = m_text;
    } else if (EsteData(m_tip)) {
        m_data = new QDateEdit(this);
        m_data->setCalendarPopup(true);
        m_data->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        const QDate d = valoare.AsData();
        m_data->setDate(d.isValid() ? d : QDate::currentDate());
        // A narrow column would hide the year under the drop-down arrow.
        latimeControl = std::max(latimeControl, m_data->sizeHint().width());
        m_data->resize(latimeControl, inaltime);
        control = m_data;
    } else {
        throw EZel(QStringLiteral("Nu cunosc tipul"));
    }
    control->installEventFilter(this);
    setFocusProxy(control);

    m_ok = new QToolButton(this);
    m_ok->setText(QStringLiteral("\u2714"));
    m_ok->setToolTip(QStringLiteral("Accepta"));
    m_ok->setGeometry(latimeControl, 0, LatimeButon, LatimeButon);
    m_renunta = new QToolButton(this);
    m_renunta->setText(QStringLiteral("\u2716"));
    m_renunta->setToolTip(QStringLiteral("Renunta"));
    m_renunta->setGeometry(latimeControl + LatimeButon, 0, LatimeButon, LatimeButon);
    connect(m_ok, &QToolButton::clicked, this, [this] { Accepta(); });
    connect(m_renunta, &QToolButton::clicked, this, [this] { Renunta(); });

    const int latimeEditor = latimeControl + 2 * LatimeButon;
    setGeometry(celula.left(), celula.top(), latimeEditor, std::max(inaltime, LatimeButon));

    if (m_text && grid->OnGetVarianteText) {
        m_propuneri.Clear();
        TListaLiniiDeDateFiltrareCautareLink link(&m_propuneri);
        QString mesaj;
        grid->OnGetVarianteText(linie, coloana, link, mesaj);
        if (m_propuneri.Count() > 0 || !mesaj.isEmpty()) {
            if (mesaj.isEmpty())
                mesaj = QStringLiteral("Nu gasesc elementul cautat");
            CreeazaPanoul(latimeEditor, celula);
            m_mesaj->setText(mesaj);
            // With no proposals at all the message is all there is to show.
            if (!textTastat.isEmpty() || m_propuneri.Count() == 0)
                Filtreaza();
        }
        m_text->OnChange = [this](TZelCustomTextEdit *) {
            if (!m_programatic && m_panouDeschis)
                Filtreaza();
        };
    }
}

TZelVGridEditorForm::~TZelVGridEditorForm() = default;

void TZelVGridEditorForm::CreeazaPanoul(int latimeEditor, const QRect &celula)
{
    int latimeLista = 8;
    for (int w : m_propuneri.LatimiColoane)
        latimeLista += w + 2;
    const int latime = std::max(latimeEditor, latimeLista);
    const int inaltimeEditor = height();

    m_panou = new QFrame(this);
    m_panou->setFrameShape(QFrame::Box);
    m_listaVizuala = new QTreeWidget(m_panou);
    m_listaVizuala->setRootIsDecorated(false);
    m_listaVizuala->setIndentation(0);
    m_listaVizuala->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listaVizuala->setUniformRowHeights(true);
    int nrColoane = int(m_propuneri.TitluriColoane.size());
    for (int i = 0; i < m_propuneri.Count(); ++i)
        nrColoane = std::max(nrColoane, int(m_propuneri.Items(i)->Celule.size()));
    nrColoane = std::max(1, nrColoane);
    m_listaVizuala->setColumnCount(nrColoane);
    if (m_propuneri.TitluriColoane.isEmpty())
        m_listaVizuala->setHeaderHidden(true);
    else
        m_listaVizuala->setHeaderLabels(m_propuneri.TitluriColoane);
    for (int c = 0; c < m_propuneri.LatimiColoane.size() && c < nrColoane; ++c)
        m_listaVizuala->setColumnWidth(c, m_propuneri.LatimiColoane[c]);
    for (int i = 0; i < m_propuneri.Count(); ++i) {
        auto *item = new QTreeWidgetItem(m_listaVizuala, m_propuneri.Items(i)->Celule);
        item->setData(0, Qt::UserRole, i);
    }
    m_listaVizuala->installEventFilter(this);
    connect(m_listaVizuala, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *curent) {
        if (m_programatic || !m_focusPeLista || !curent)
            return;
        SeteazaTextProgramatic(curent->text(0));
    });

    m_nota = new QLabel(QStringLiteral("Nota:"), m_panou);
    QFont bold = m_nota->font();
    bold.setBold(true);
    m_nota->setFont(bold);
    m_mesaj = new QLabel(m_panou);
    m_mesaj->setWordWrap(true);
    m_mesaj->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nota->hide();
    m_mesaj->hide();

    m_panou->resize(latime, InaltimePanou);
    m_listaVizuala->setGeometry(1, 1, latime - 2, InaltimePanou - 2);
    m_nota->setGeometry(4, 4, latime - 8, 18);
    m_mesaj->setGeometry(4, 24, latime - 8, InaltimePanou - 28);

    // Above the text box when the panel would pass the bottom of the desktop.
    QRect desktop;
    if (QScreen *ecran = QGuiApplication::screenAt(celula.center()))
        desktop = ecran->availableVirtualGeometry();
    else if (QGuiApplication::primaryScreen())
        desktop = QGuiApplication::primaryScreen()->availableVirtualGeometry();
    m_panouDeasupra = !desktop.isNull() && celula.top() + inaltimeEditor + InaltimePanou > desktop.bottom() + 1;
    const int dy = m_panouDeasupra ? InaltimePanou : 0;
    for (QWidget *w : {static_cast<QWidget *>(m_num), static_cast<QWidget *>(m_text), static_cast<QWidget *>(m_data),
                       static_cast<QWidget *>(m_ok), static_cast<QWidget *>(m_renunta)})
        if (w)
            w->move(w->x(), w->y() + dy);
    m_panou->move(0, m_panouDeasupra ? 0 : inaltimeEditor);
    setGeometry(celula.left(), celula.top() - dy, latime, inaltimeEditor + InaltimePanou);
    // A panel wider than the editor leaves a strip beside the buttons: let the grid show there.
    if (latime > latimeEditor)
        setMask(QRegion(0, dy, latimeEditor, inaltimeEditor) + QRegion(m_panou->geometry()));
    m_panou->show();
    m_panouDeschis = true;
}

QTreeWidgetItem *TZelVGridEditorForm::ElementSelectat() const
{
    if (!m_listaVizuala || m_listaVizuala->isHidden())
        return nullptr;
    QTreeWidgetItem *item = m_listaVizuala->currentItem();
    if (!item || item->isHidden() || !item->isSelected())
        return nullptr;
    return item;
}

QList<int> TZelVGridEditorForm::PropuneriAfisate() const
{
    QList<int> r;
    if (!m_listaVizuala || m_listaVizuala->isHidden())
        return r;
    for (int i = 0; i < m_listaVizuala->topLevelItemCount(); ++i)
        if (!m_listaVizuala->topLevelItem(i)->isHidden())
            r << i;
    return r;
}

int TZelVGridEditorForm::PropunereSelectata() const
{
    QTreeWidgetItem *item = ElementSelectat();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TZelVGridEditorForm::SelecteazaPropunerea(int index)
{
    if (!m_listaVizuala || index < 0 || index >= m_listaVizuala->topLevelItemCount())
        return;
    QTreeWidgetItem *item = m_listaVizuala->topLevelItem(index);
    if (item->isHidden())
        return;
    m_listaVizuala->setCurrentItem(item);
    item->setSelected(true);
}

bool TZelVGridEditorForm::NotaVizibila() const
{
    return m_nota && !m_nota->isHidden();
}

QString TZelVGridEditorForm::MesajNota() const
{
    return m_mesaj ? m_mesaj->text() : QString();
}

void TZelVGridEditorForm::Filtreaza()
{
    if (!m_listaVizuala)
        return;
    const QList<int> potrivite = m_propuneri.Filtreaza(m_text->Text());
    m_programatic = true;
    QTreeWidgetItem *curent = m_listaVizuala->currentItem();
    // One pass over the matches, not a search of them per item: long lists filter per key.
    QVector<bool> arata(m_listaVizuala->topLevelItemCount(), false);
    for (int i : potrivite)
        if (i >= 0 && i < arata.size())
            arata[i] = true;
    for (int i = 0; i < m_listaVizuala->topLevelItemCount(); ++i)
        m_listaVizuala->topLevelItem(i)->setHidden(!arata[i]);
    if (potrivite.size() == 1) {
        QTreeWidgetItem *item = m_listaVizuala->topLevelItem(potrivite.first());
        m_listaVizuala->setCurrentItem(item);
        item->setSelected(true);
    } else if (curent && curent->isHidden()) {
        m_listaVizuala->clearSelection();
        m_listaVizuala->setCurrentItem(nullptr);
    }
    const bool niciuna = potrivite.isEmpty();
    m_listaVizuala->setHidden(niciuna);
    m_nota->setVisible(niciuna);
    m_mesaj->setVisible(niciuna);
    m_programatic = false;
}

void TZelVGridEditorForm::SeteazaTextProgramatic(const QString &text)
{
    if (!m_text)
        return;
    m_programatic = true;
    m_text->SetText(text);
    m_programatic = false;
}

void TZelVGridEditorForm::Accepta()
{
    if (m_terminat)
        return;
    if (m_text && m_panouDeschis) {
        QTreeWidgetItem *item = ElementSelectat();
        if (m_propuneri.Strict) {
            if (!item)
                return; // a strict list takes only one of its proposals
            const int index = item->data(0, Qt::UserRole).toInt();
            m_idPropunere = m_propuneri.Items(index)->Id;
            m_textPropunereStricta = item->text(0);
            m_arePropunereStricta = true;
            SeteazaTextProgramatic(m_textPropunereStricta);
        } else if (item) {
            const QString prima = item->text(0);
            if (prima != m_text->Text() && prima != m_ultimaCopiata) {
                m_ultimaCopiata = prima;
                SeteazaTextProgramatic(prima);
                return; // the next accept closes
            }
        }
    }
    Termina(true);
}

void TZelVGridEditorForm::Renunta()
{
    Termina(false);
}

void TZelVGridEditorForm::Termina(bool acceptat)
{
    if (m_terminat)
        return;
    TZelValoareDate v;
    if (acceptat) {
        try {
            switch (m_tip) {
            case atCurrency: v.SetAsCurrency(m_num->AsCurrency()); break;
            case atInteger: v.SetAsInteger(m_num->FaraZecimale()); break;
            case atIntegerDouaZecimale: v.SetAsIntegerDouaZecimale(m_num->CuDouaZecimale()); break;
            case atString:
                // The proposal itself, even when the box was too narrow to take all of it.
                v.SetAsString(m_arePropunereStricta ? m_textPropunereStricta : m_text->Text());
                break;
            case atDataScurtFaraAn: v.SetAsDataScurtFaraAn(m_data->date()); break;
            case atDataScurtCuAn: v.SetAsDataScurtCuAn(m_data->date()); break;
            case atDataLung: v.SetAsDataLung(m_data->date()); break;
            default: throw EZel(QStringLiteral("Nu cunosc tipul"));
            }
        } catch (const EZel &e) {
            Mesaje::Eroare(e.Mesaj());
            return;
        }
    }
    m_terminat = true;
    hide();
    deleteLater();
    if (m_grid) {
        try {
            m_grid->EditorInchis(acceptat, v, acceptat ? m_idPropunere : -1);
        } catch (const EZel &e) {
            Mesaje::Eroare(e.Mesaj());
        }
    }
}

void TZelVGridEditorForm::Activeaza()
{
    activateWindow();
    if (m_num)
        m_num->setFocus(Qt::PopupFocusReason);
    else if (m_text)
        m_text->setFocus(Qt::PopupFocusReason);
    else if (m_data) {
        m_data->setFocus(Qt::PopupFocusReason);
        m_data->selectAll();
    }
}

bool TZelVGridEditorForm::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::FocusIn && o == m_listaVizuala)
        m_focusPeLista = true;
    else if (e->type() == QEvent::FocusOut && o == m_listaVizuala)
        m_focusPeLista = false;
    if (e->type() != QEvent::KeyPress)
        return QWidget::eventFilter(o, e);
    auto *k = static_cast<QKeyEvent *>(e);
    switch (k->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Accepta();
        return true;
    case Qt::Key_Escape:
        Renunta();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (o == m_text && m_panouDeschis && m_listaVizuala && !m_listaVizuala->isHidden()) {
            m_focusPeLista = true;
            m_listaVizuala->setFocus(Qt::OtherFocusReason);
            if (!ElementSelectat()) {
                const QList<int> afisate = PropuneriAfisate();
                if (!afisate.isEmpty())
                    SelecteazaPropunerea(afisate.first());
            }
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(o, e);
}

void TZelVGridEditorForm::closeEvent(QCloseEvent *e)
{
    // Closed from outside (a click elsewhere ends a pop-up): the same as cancel.
    Termina(false);
    e->accept();
}
