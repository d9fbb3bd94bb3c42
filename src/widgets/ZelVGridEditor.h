#pragma once

#include "widgets/ZelVirtualGrid.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QFrame;
class TZelTextEdit;
class TZelNumEdit;

// The grid's pop-up cell editor: a borderless window over the cell with a number box, a
// text box or a date picker by the value's kind, an accept and a cancel button and, for
// text cells, the list of proposed values filtered by the words typed.
class TZelVGridEditorForm : public QWidget {
    Q_OBJECT
public:
    // `celula` is the cell's rectangle on the screen. Throws EZel "Nu cunosc tipul" for a
    // value kind it cannot edit.
    TZelVGridEditorForm(TZelVirtualGrid *grid, TZelVirtualGridLine *linie, int coloana, const TZelValoareDate &valoare,
                        const QString &textTastat, const QRect &celula);
    ~TZelVGridEditorForm() override;

    int Coloana() const { return m_coloana; }
    TZelVirtualGridLine *Linie() const { return m_linie; }
    TZelTipDeDateColoana Tip() const { return m_tip; }

    // The control of the kind (only one is not null).
    TZelNumEdit *NumEdit() const { return m_num; }
    TZelTextEdit *TextEdit() const { return m_text; }
    QDateEdit *DataEdit() const { return m_data; }
    QToolButton *ButonAccepta() const { return m_ok; }
    QToolButton *ButonRenunta() const { return m_renunta; }

    // The proposals.
    bool PanouDeschis() const { return m_panouDeschis; }
    bool PanouDeasupra() const { return m_panouDeasupra; }
    QTreeWidget *ListaPropuneri() const { return m_listaVizuala; }
    const TListaLiniiDeDateFiltrareCautare &Propuneri() const { return m_propuneri; }
    // The proposals shown now, as indexes into Propuneri().
    QList<int> PropuneriAfisate() const;
    // The selected proposal shown, -1 when none.
    int PropunereSelectata() const;
    void SelecteazaPropunerea(int index);
    bool NotaVizibila() const;
    QString MesajNota() const;

    // Enter / the accept button; Escape / the cancel button.
    void Accepta();
    void Renunta();
    // Gives the window and its control the focus.
    void Activeaza();

protected:
    bool eventFilter(QObject *o, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    void CreeazaPanoul(int latimeEditor, const QRect &celula);
    void Filtreaza();
    void SeteazaTextProgramatic(const QString &text);
    void Termina(bool acceptat);
    QTreeWidgetItem *ElementSelectat() const;

    QPointer<TZelVirtualGrid> m_grid;
    TZelVirtualGridLine *m_linie;
    int m_coloana;
    TZelTipDeDateColoana m_tip;
    TZelNumEdit *m_num = nullptr;
    TZelTextEdit *m_text = nullptr;
    QDateEdit *m_data = nullptr;
    QToolButton *m_ok = nullptr;
    QToolButton *m_renunta = nullptr;

    TListaLiniiDeDateFiltrareCautare m_propuneri;
    QFrame *m_panou = nullptr;
    QTreeWidget *m_listaVizuala = nullptr;
    QLabel *m_nota = nullptr;
    QLabel *m_mesaj = nullptr;
    bool m_panouDeschis = false;
    bool m_panouDeasupra = false;
    bool m_programatic = false;
    bool m_focusPeLista = false;
    bool m_terminat = false;
    QString m_ultimaCopiata;
    QString m_textPropunereStricta;
    bool m_arePropunereStricta = false;
    int m_idPropunere = -1;
};
