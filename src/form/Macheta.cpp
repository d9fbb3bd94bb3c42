#include "form/Macheta.h"

#include "form/FontFormular.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "text/Eroare.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <cmath>
#include <limits>
#include <memory>

namespace {
struct TValoare {
    enum Tip { Numar, Text, Identificator, Lista } tip = Numar;
    double numar = 0;
    QString text;
    QStringList lista;
};

struct TProprietate {
    QString nume;
    TValoare valoare;
    int linie = 0;
};

struct TObiect {
    QString nume;
    QString clasa;
    int linie = 0;
    QList<TProprietate> proprietati;
    std::vector<std::unique_ptr<TObiect>> copii;
};

[[noreturn]] void Eroare(int linie, const QString &ce)
{
    throw EZel(QStringLiteral("Macheta, linia %1: %2").arg(linie).arg(ce));
}

// 'text' with '' for a quote.
QString CitesteText(const QString &s, qsizetype &i, int linie)
{
    QString t;
    ++i;
    while (true) {
        if (i >= s.size())
            Eroare(linie, QStringLiteral("text neterminat"));
        if (s.at(i) == QLatin1Char('\'')) {
            if (i + 1 < s.size() && s.at(i + 1) == QLatin1Char('\'')) {
                t += QLatin1Char('\'');
                i += 2;
                continue;
            }
            ++i;
            return t;
        }
        t += s.at(i++);
    }
}

class TCititor {
public:
    explicit TCititor(const QString &text) : m_linii(text.split(QLatin1Char('\n'))) {}

    std::vector<std::unique_ptr<TObiect>> Tot()
    {
        std::vector<std::unique_ptr<TObiect>> obiecte;
        while (Urmatoarea()) {
            obiecte.push_back(Obiect());
        }
        return obiecte;
    }

private:
    // Moves to the next line that is not blank or a comment; false at the end.
    bool Urmatoarea()
    {
        while (m_poz < m_linii.size()) {
            const QString l = m_linii.at(m_poz).trimmed();
            if (!l.isEmpty() && !l.startsWith(QLatin1Char('#')))
                return true;
            ++m_poz;
        }
        return false;
    }
    QString Curenta() const { return m_linii.at(m_poz).trimmed(); }
    int NrLinie() const { return int(m_poz) + 1; }

    std::unique_ptr<TObiect> Obiect()
    {
        static const QRegularExpression antet(QStringLiteral("^object\\s+(\\w+)\\s*:\\s*(\\w+)$"));
        const auto m = antet.match(Curenta());
        if (!m.hasMatch())
            Eroare(NrLinie(), QStringLiteral("astept \"object Nume: Clasa\""));
        auto o = std::make_unique<TObiect>();
        o->nume = m.captured(1);
        o->clasa = m.captured(2);
        o->linie = NrLinie();
        ++m_poz;
        while (true) {
            if (!Urmatoarea())
                Eroare(o->linie, QStringLiteral("lipseste \"end\" pentru %1").arg(o->nume));
            const QString l = Curenta();
            if (l == QLatin1String("end")) {
                ++m_poz;
                return o;
            }
            if (l.startsWith(QLatin1String("object "))) {
                o->copii.push_back(Obiect());
                continue;
            }
            o->proprietati.append(Proprietate());
        }
    }

    TProprietate Proprietate()
    {
        const QString l = Curenta();
        const qsizetype egal = l.indexOf(QLatin1Char('='));
        if (egal <= 0)
            Eroare(NrLinie(), QStringLiteral("astept \"Proprietate = valoare\""));
        TProprietate p;
        p.linie = NrLinie();
        p.nume = l.left(egal).trimmed();
        const QString v = l.mid(egal + 1).trimmed();
        ++m_poz;
        if (v == QLatin1String("(")) {
            p.valoare.tip = TValoare::Lista;
            while (true) {
                if (m_poz >= m_linii.size())
                    Eroare(p.linie, QStringLiteral("lista neterminata"));
                QString e = m_linii.at(m_poz++).trimmed();
                bool sfarsit = false;
                if (e.endsWith(QLatin1Char(')'))) {
                    sfarsit = true;
                    e.chop(1);
                    e = e.trimmed();
                }
                if (!e.isEmpty()) {
                    qsizetype i = 0;
                    if (e.at(0) != QLatin1Char('\''))
                        Eroare(int(m_poz), QStringLiteral("astept un text"));
                    p.valoare.lista.append(CitesteText(e, i, int(m_poz)));
                }
                if (sfarsit)
                    break;
            }
            return p;
        }
        if (v.startsWith(QLatin1Char('\''))) {
            qsizetype i = 0;
            p.valoare.tip = TValoare::Text;
            p.valoare.text = CitesteText(v, i, p.linie);
            if (i != v.size())
                Eroare(p.linie, QStringLiteral("text urmat de altceva"));
            return p;
        }
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (ok) {
            p.valoare.numar = d;
            return p;
        }
        static const QRegularExpression id(QStringLiteral("^\\w+$"));
        if (!id.match(v).hasMatch())
            Eroare(p.linie, QStringLiteral("valoare necunoscuta: %1").arg(v));
        p.valoare.tip = TValoare::Identificator;
        p.valoare.text = v;
        return p;
    }

    QStringList m_linii;
    qsizetype m_poz = 0;
};

double Numar(const TProprietate &p)
{
    if (p.valoare.tip != TValoare::Numar)
        Eroare(p.linie, QStringLiteral("%1 trebuie sa fie un numar").arg(p.nume));
    return p.valoare.numar;
}

int Intreg(const TProprietate &p)
{
    const double d = Numar(p);
    // Out of range (or infinite) it has no int to become.
    if (d != std::trunc(d) || d < std::numeric_limits<int>::min() || d > std::numeric_limits<int>::max())
        Eroare(p.linie, QStringLiteral("%1 trebuie sa fie un numar intreg").arg(p.nume));
    return int(d);
}

QString Text(const TProprietate &p)
{
    if (p.valoare.tip != TValoare::Text)
        Eroare(p.linie, QStringLiteral("%1 trebuie sa fie un text").arg(p.nume));
    return p.valoare.text;
}

bool Logic(const TProprietate &p)
{
    if (p.valoare.tip == TValoare::Identificator) {
        if (p.valoare.text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (p.valoare.text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    Eroare(p.linie, QStringLiteral("%1 trebuie sa fie true sau false").arg(p.nume));
}

[[noreturn]] void Necunoscuta(const TObiect &o, const TProprietate &p)
{
    Eroare(p.linie, QStringLiteral("%1.%2: proprietate necunoscuta pentru %3").arg(o.nume, p.nume, o.clasa));
}

struct TReferintaFont {
    TFormularTextArea *area;
    QString font;
    int linie;
};

void AplicaFont(TFontFormular *f, const TObiect &o)
{
    for (const TProprietate &p : o.proprietati) {
        if (p.nume == QLatin1String("FontName"))
            f->SetFontName(Text(p));
        else if (p.nume == QLatin1String("CodePage"))
            f->SetCodePage(Intreg(p));
        else if (p.nume == QLatin1String("CharSet"))
            f->SetCharSet(Intreg(p));
        else if (p.nume == QLatin1String("Size"))
            f->SetSize(Numar(p));
        else if (p.nume == QLatin1String("Bold"))
            f->SetBold(Logic(p));
        else if (p.nume == QLatin1String("Italic"))
            f->SetItalic(Logic(p));
        else if (p.nume == QLatin1String("DescrierePentruEditor"))
            f->SetDescrierePentruEditor(Text(p));
        else
            Necunoscuta(o, p);
    }
}

void AplicaArea(TFormularTextArea *a, const TObiect &o, QList<TReferintaFont> &referinte)
{
    QRect r(0, 0, 0, 0);
    for (const TProprietate &p : o.proprietati) {
        const QString &n = p.nume;
        if (n == QLatin1String("Left"))
            r.moveLeft(Intreg(p));
        else if (n == QLatin1String("Top"))
            r.moveTop(Intreg(p));
        else if (n == QLatin1String("Width"))
            r.setWidth(Intreg(p));
        else if (n == QLatin1String("Height"))
            r.setHeight(Intreg(p));
        else if (n == QLatin1String("_Top"))
            a->Set_Top(Numar(p));
        else if (n == QLatin1String("_Left"))
            a->Set_Left(Numar(p));
        else if (n == QLatin1String("_Width"))
            a->Set_Width(Numar(p));
        else if (n == QLatin1String("_Height"))
            a->Set_Height(Numar(p));
        else if (n == QLatin1String("Text"))
            a->SetText(Text(p));
        else if (n == QLatin1String("Font")) {
            if (p.valoare.tip != TValoare::Identificator)
                Eroare(p.linie, QStringLiteral("Font trebuie sa fie numele unui font"));
            referinte.append({a, p.valoare.text, p.linie});
        } else if (n == QLatin1String("ZoomLock"))
            a->SetZoomLock(Numar(p));
        else if (n == QLatin1String("Alignment")) {
            const QString v = p.valoare.tip == TValoare::Identificator ? p.valoare.text : QString();
            if (v == QLatin1String("taLeftJustify"))
                a->SetAlignment(taLeftJustify);
            else if (v == QLatin1String("taRightJustify"))
                a->SetAlignment(taRightJustify);
            else if (v == QLatin1String("taCenter"))
                a->SetAlignment(taCenter);
            else
                Eroare(p.linie, QStringLiteral("Alignment necunoscut"));
        } else if (n == QLatin1String("Denumire1"))
            a->SetDenumire1(Text(p));
        else if (n == QLatin1String("Denumire2"))
            a->SetDenumire2(Text(p));
        else if (n == QLatin1String("Denumire3"))
            a->SetDenumire3(Text(p));
        else if (n == QLatin1String("SursaText")) {
            if (p.valoare.tip != TValoare::Lista)
                Eroare(p.linie, QStringLiteral("SursaText trebuie sa fie o lista"));
            a->SetSursaText(p.valoare.lista);
        } else
            Necunoscuta(o, p);
    }
    a->setGeometry(r);
}

void AplicaPagina(TFormularDePrintat *f, const TObiect &o)
{
    QPoint poz;
    for (const TProprietate &p : o.proprietati) {
        const QString &n = p.nume;
        if (n == QLatin1String("Left"))
            poz.setX(Intreg(p));
        else if (n == QLatin1String("Top"))
            poz.setY(Intreg(p));
        else if (n == QLatin1String("Zoom"))
            f->SetZoom(Numar(p));
        else if (n == QLatin1String("Latime"))
            f->SetLatime(Numar(p));
        else if (n == QLatin1String("Inaltime"))
            f->SetInaltime(Numar(p));
        else if (n == QLatin1String("TextAreaTransparent"))
            f->SetTextAreaTransparent(Logic(p));
        else if (n == QLatin1String("TextAreaWithBorder"))
            f->SetTextAreaWithBorder(Logic(p));
        else if (n == QLatin1String("TextAreaBaseLine1"))
            f->SetTextAreaBaseLine1(Logic(p));
        else if (n == QLatin1String("TextAreaBaseLine2"))
            f->SetTextAreaBaseLine2(Logic(p));
        else if (n == QLatin1String("TextAreaTopLine1"))
            f->SetTextAreaTopLine1(Logic(p));
        else if (n == QLatin1String("TextAreaTopLine2"))
            f->SetTextAreaTopLine2(Logic(p));
        else if (n == QLatin1String("TextAreaBaseLine1_color"))
            f->SetTextAreaBaseLine1_color(Intreg(p));
        else if (n == QLatin1String("TextAreaBaseLine2_color"))
            f->SetTextAreaBaseLine2_color(Intreg(p));
        else if (n == QLatin1String("TextAreaTopLine1_color"))
            f->SetTextAreaTopLine1_color(Intreg(p));
        else if (n == QLatin1String("TextAreaTopLine2_color"))
            f->SetTextAreaTopLine2_color(Intreg(p));
        else if (n == QLatin1String("TextAreaBaseLine2_delta"))
            f->SetTextAreaBaseLine2_delta(Numar(p));
        else if (n == QLatin1String("TextAreaTopLine1_delta"))
            f->SetTextAreaTopLine1_delta(Numar(p));
        else if (n == QLatin1String("BkImage_FileName"))
            f->SetBkImage_FileName(Text(p));
        else if (n == QLatin1String("DenumireFormular"))
            f->SetDenumireFormular(Text(p));
        else if (n == QLatin1String("DeltaStanga"))
            f->SetDeltaStanga(Numar(p));
        else if (n == QLatin1String("DeltaSus"))
            f->SetDeltaSus(Numar(p));
        else
            Necunoscuta(o, p);
    }
    f->move(poz);
}
} // namespace

TMachetaIncarcata IncarcaMacheta(const QString &text, QObject *proprietar, QWidget *parinte)
{
    TCititor cititor(text);
    const auto obiecte = cititor.Tot();

    // Everything is created unowned first, so a failure leaves nothing behind.
    std::vector<std::unique_ptr<QObject>> create;
    TMachetaIncarcata rezultat;
    QList<TReferintaFont> referinte;
    QHash<QString, TFontFormular *> fonturi;
    QList<TFormularTextArea *> arii;

    for (const auto &o : obiecte) {
        if (o->clasa == QLatin1String("TFontFormular")) {
            if (!o->copii.empty())
                Eroare(o->linie, QStringLiteral("un font nu are componente"));
            auto f = std::make_unique<TFontFormular>(nullptr, o->nume);
            AplicaFont(f.get(), *o);
            fonturi.insert(o->nume, f.get());
            rezultat.Fonturi.append(f.get());
            create.push_back(std::move(f));
        }
    }
    // Fonts that already belong to the owner may be named too.
    auto gasesteFont = [&](const QString &nume) -> TFontFormular * {
        if (TFontFormular *f = fonturi.value(nume))
            return f;
        return proprietar ? proprietar->findChild<TFontFormular *>(nume, Qt::FindDirectChildrenOnly) : nullptr;
    };

    for (const auto &o : obiecte) {
        if (o->clasa == QLatin1String("TFontFormular"))
            continue;
        if (o->clasa != QLatin1String("TFormularDePrintat"))
            Eroare(o->linie, QStringLiteral("clasa necunoscuta %1").arg(o->clasa));
        auto pagina = std::make_unique<TFormularDePrintat>(nullptr, o->nume);
        pagina->SetProprietar(proprietar);
        pagina->SeteazaIncarcare(true);
        AplicaPagina(pagina.get(), *o);
        for (const auto &c : o->copii) {
            if (c->clasa != QLatin1String("TFormularTextArea"))
                Eroare(c->linie, QStringLiteral("clasa necunoscuta %1").arg(c->clasa));
            if (!c->copii.empty())
                Eroare(c->linie, QStringLiteral("o zona de text nu are componente"));
            auto *a = new TFormularTextArea(pagina.get(), c->nume);
            a->SetProprietar(proprietar);
            a->SeteazaIncarcare(true);
            AplicaArea(a, *c, referinte);
            arii.append(a);
        }
        rezultat.Pagini.append(pagina.get());
        create.push_back(std::move(pagina));
    }
    for (const TReferintaFont &r : referinte) {
        TFontFormular *f = gasesteFont(r.font);
        if (!f)
            Eroare(r.linie, QStringLiteral("%1.Font: nu exista fontul %2").arg(r.area->objectName(), r.font));
        r.area->SetFont(f);
    }

    // Hand everything over.
    for (auto &o : create) {
        QObject *obiect = o.release();
        if (auto *p = qobject_cast<TFormularDePrintat *>(obiect)) {
            p->setParent(parinte);
            p->SeteazaIncarcare(false);
        } else {
            obiect->setParent(proprietar);
        }
    }
    for (TFormularTextArea *a : arii)
        a->SeteazaIncarcare(false);
    return rezultat;
}

TFormularDePrintat *CreeazaFormularDePrintat1(QObject *proprietar, QWidget *parinte)
{
    const TMachetaIncarcata m = IncarcaMacheta(MachetaCertificat(), proprietar, parinte);
    return m.Pagini.value(0);
}
