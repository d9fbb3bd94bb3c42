#pragma once
#include <QComboBox>
#include <QDialog>
#include <QList>
#include <QPair>

class QLabel;
class QPainter;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

// A format list of the global settings editor: a fixed drop-down list whose items
// (closed or open) are drawn by TEditorConfigGlobal::RzComboBox3DrawItem as small fixed
// pictures of each grade format.
class TListaFormatNota : public QComboBox {
    Q_OBJECT
public:
    explicit TListaFormatNota(QWidget *parinte = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

// The global settings editor, opened modally from "Configurare nota". Creating it loads
// the settings, stores the four format defaults when they are missing and writes the
// settings back at once; "Ok" writes the choices, "Renunt" writes nothing.
class TEditorConfigGlobal : public QDialog {
    Q_OBJECT
public:
    // Throws EZel when the settings cannot be read or written.
    explicit TEditorConfigGlobal(QWidget *parinte = nullptr);

    // The fixed sample lines of a format item: (offset from the item's top, text).
    static QList<QPair<int, QString>> LiniiMostra(int index);
    // Draws item `index` of a format list into `dreptunghi`.
    static void RzComboBox3DrawItem(QPainter &pictor, const QRect &dreptunghi, int index, bool selectat,
                                    const QPalette &paleta);

    static QStringList FormateNota();

    void RzBitBtn1Click(); // "Ok"
    void RzBitBtn2Click(); // "Renunt"

private:
    void ConstruiesteFereastra();
    void FormCreate();

    QTabWidget *RzPageControl1 = nullptr;
    QComboBox *RzComboBox1 = nullptr; // SufixFete
    QComboBox *RzComboBox2 = nullptr; // SufixBaieti
    TListaFormatNota *RzComboBox3 = nullptr; // NotaDiploma
    TListaFormatNota *RzComboBox4 = nullptr; // MedieDiploma
    TListaFormatNota *RzComboBox5 = nullptr; // NotaCotor
    TListaFormatNota *RzComboBox6 = nullptr; // MedieCotor
    QRadioButton *RzRadioButton1 = nullptr; // capitals
    QRadioButton *RzRadioButton2 = nullptr; // lower case
    QLabel *m_nota = nullptr;
    QTimer *m_clipire = nullptr;
    QPushButton *RzBitBtn1 = nullptr;
    QPushButton *RzBitBtn2 = nullptr;
};
