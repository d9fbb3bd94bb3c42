#include "app/PrezentatorMesaje.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

bool TPrezentatorMesaje::FaraUtilizator()
{
    const QString p = QGuiApplication::platformName();
    return p == QLatin1String("offscreen") || p == QLatin1String("minimal") || p.isEmpty();
}

int TPrezentatorMesaje::Arata(Mesaje::Tip tip, const QString &titlu, const QString &text, int butoane, int implicit)
{
    if (FaraUtilizator()) {
        std::fprintf(stderr, "%s: %s\n", qUtf8Printable(titlu), qUtf8Printable(text));
        std::fflush(stderr);
        return implicit;
    }
    QMessageBox::Icon icoana = QMessageBox::Information;
    switch (tip) {
    case Mesaje::Tip::Informatie:
        icoana = QMessageBox::Information;
        break;
    case Mesaje::Tip::Avertisment:
        icoana = QMessageBox::Warning;
        break;
    case Mesaje::Tip::Eroare:
        icoana = QMessageBox::Critical;
        break;
    case Mesaje::Tip::Intrebare:
        icoana = QMessageBox::Question;
        break;
    }
    QMessageBox box(icoana, titlu, text, QMessageBox::NoButton, QApplication::activeWindow());
    struct TButon {
        Mesaje::Buton buton;
        QMessageBox::ButtonRole rol;
        const char *eticheta;
    };
    static const TButon toate[] = {
        {Mesaje::Ok, QMessageBox::AcceptRole, "OK"},
        {Mesaje::Da, QMessageBox::YesRole, "Da"},
        {Mesaje::Nu, QMessageBox::NoRole, "Nu"},
        {Mesaje::Renunta, QMessageBox::RejectRole, "Renunta"},
    };
    if (butoane == 0)
        butoane = Mesaje::Ok;
    QPushButton *implicitB = nullptr;
    QList<QPair<QAbstractButton *, int>> harta;
    for (const TButon &b : toate) {
        if (!(butoane & b.buton))
            continue;
        QPushButton *p = box.addButton(QString::fromLatin1(b.eticheta), b.rol);
        harta.append({p, b.buton});
        if (b.buton == implicit)
            implicitB = p;
    }
    if (implicitB)
        box.setDefaultButton(implicitB);
    box.exec();
    for (const auto &h : harta) {
        if (h.first == box.clickedButton())
            return h.second;
    }
    // Closed without a button (Escape, the window's close box).
    if (butoane & Mesaje::Renunta)
        return Mesaje::Renunta;
    if (butoane & Mesaje::Nu)
        return Mesaje::Nu;
    return implicit;
}
