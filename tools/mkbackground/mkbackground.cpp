// Draws the blank pre-printed certificate sheet (stub on the left, certificate on the
// right) at 300 dpi and writes it as a background file: JPEG, combined with the key.
// The value lines are drawn under the text areas of the compiled-in layout, so the
// picture and the layout always agree.
#include "form/CodecJpeg.h"
#include "form/FormularDePrintat.h"
#include "form/FormularTextArea.h"
#include "form/Macheta.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"

#include <QApplication>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {
constexpr double kLatimeMm = 293.116;
constexpr double kInaltimeMm = 210.4;
constexpr int kDpi = 300;
constexpr double kPxMm = kDpi / 25.4;
constexpr double kCotorMm = 104.0; // the perforation between stub and certificate

double P(double mm) { return mm * kPxMm; }

QFont Font(double inaltimeMm, bool bold = false, bool italic = false, bool serif = true)
{
    QFont f(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    f.setPixelSize(int(std::lround(P(inaltimeMm))));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void TextCentrat(QPainter &p, double cxMm, double yMm, const QString &t, const QFont &f)
{
    p.setFont(f);
    const QFontMetricsF m(f);
    p.drawText(QPointF(P(cxMm) - m.horizontalAdvance(t) / 2, P(yMm)), t);
}

void TextLa(QPainter &p, double xMm, double yMm, const QString &t, const QFont &f)
{
    p.setFont(f);
    p.drawText(QPointF(P(xMm), P(yMm)), t);
}

// A guilloche band: interlaced sine curves along a rectangle's edges.
void Chenar(QPainter &p, const QRectF &mm, const QColor &c)
{
    const QRectF r(P(mm.left()), P(mm.top()), P(mm.width()), P(mm.height()));
    p.setPen(QPen(c, P(0.5)));
    p.drawRect(r);
    p.setPen(QPen(c, P(0.12)));
    const double banda = P(3.0);
    for (int k = 0; k < 3; ++k) {
        const double faza = k * 2.1;
        QPainterPath sus, jos, st, dr;
        const double pas = P(0.5);
        for (double x = r.left(); x <= r.right(); x += pas) {
            const double y = std::sin(x / P(2.2) + faza) * banda / 2;
            QPointF a(x, r.top() + banda / 2 + 1 + y), b(x, r.bottom() - banda / 2 - 1 - y);
            if (x == r.left()) {
                sus.moveTo(a);
                jos.moveTo(b);
            } else {
                sus.lineTo(a);
                jos.lineTo(b);
            }
        }
        for (double y = r.top(); y <= r.bottom(); y += pas) {
            const double x = std::sin(y / P(2.2) + faza) * banda / 2;
            QPointF a(r.left() + banda / 2 + 1 + x, y), b(r.right() - banda / 2 - 1 - x, y);
            if (y == r.top()) {
                st.moveTo(a);
                dr.moveTo(b);
            } else {
                st.lineTo(a);
                dr.lineTo(b);
            }
        }
        p.drawPath(sus);
        p.drawPath(jos);
        p.drawPath(st);
        p.drawPath(dr);
    }
    p.setPen(QPen(c, P(0.25)));
    p.drawRect(r.adjusted(banda + 2, banda + 2, -banda - 2, -banda - 2));
}

// Short printed captions in front of some value lines.
QHash<QString, QString> Etichete()
{
    return {
        {QStringLiteral("C_INSTITUTIA_2"), QStringLiteral("de la")},
        {QStringLiteral("C_SESIUNEA"), QStringLiteral("sesiunea")},
        {QStringLiteral("C_MEDIA_GEN"), QStringLiteral("media")},
        {QStringLiteral("C_ORDIN_NR"), QStringLiteral("O.M. nr.")},
        {QStringLiteral("C_ORDIN_DATA"), QStringLiteral("din")},
        {QStringLiteral("C_REGISTRU_NR"), QStringLiteral("Nr.")},
        {QStringLiteral("C_REGISTRU_DATA"), QStringLiteral("din")},
        {QStringLiteral("D_FCT_DIDACTICA"), QStringLiteral("functia didactica")},
        {QStringLiteral("D_SPECIALITATEA"), QStringLiteral("specialitatea")},
        {QStringLiteral("D_SESIUNEA"), QStringLiteral("in sesiunea")},
        {QStringLiteral("D_MEDIA_GEN"), QStringLiteral("cu media")},
        {QStringLiteral("D_ORDIN_NR"), QStringLiteral("O.M. nr.")},
        {QStringLiteral("D_ORDIN_DATA"), QStringLiteral("din")},
        {QStringLiteral("D_DATA_VIGOARE"), QStringLiteral("valabil de la")},
        {QStringLiteral("D_REGISTRU_NR"), QStringLiteral("Nr.")},
        {QStringLiteral("D_REGISTRU_DATA"), QStringLiteral("din")},
        {QStringLiteral("D_RECTOR"), QStringLiteral("RECTOR,")},
        {QStringLiteral("D_DECAN/DIRECTOR"), QStringLiteral("DECAN/DIRECTOR,")},
        {QStringLiteral("C_RECTOR"), QStringLiteral("RECTOR,")},
        {QStringLiteral("C_DECAN/DIRECTOR"), QStringLiteral("DECAN/DIRECTOR,")},
        {QStringLiteral("C_SECRETAR_SEF"), QStringLiteral("SECRETAR SEF,")},
        {QStringLiteral("D_SECRETAR_SEF"), QStringLiteral("SECRETAR SEF,")},
    };
}

QImage Deseneaza()
{
    const int w = int(std::lround(P(kLatimeMm)));
    const int h = int(std::lround(P(kInaltimeMm)));
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(250, 246, 232));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QColor verde(46, 110, 92);
    const QColor gri(70, 70, 70);
    Chenar(p, QRectF(8, 8, kCotorMm - 14, kInaltimeMm - 16), verde);
    Chenar(p, QRectF(kCotorMm + 6, 8, kLatimeMm - kCotorMm - 14, kInaltimeMm - 16), verde);

    // Perforation between the stub and the certificate.
    QPen perforatie(gri, P(0.3), Qt::DashLine);
    p.setPen(perforatie);
    p.drawLine(QPointF(P(kCotorMm), P(4)), QPointF(P(kCotorMm), P(kInaltimeMm - 4)));

    p.setPen(gri);
    TextCentrat(p, 53, 19, QStringLiteral("ROMÂNIA"), Font(3.2, true));
    TextCentrat(p, 53, 24, QStringLiteral("MINISTERUL EDUCAŢIEI"), Font(2.4, true));
    TextCentrat(p, 53, 41, QStringLiteral("CERTIFICAT"), Font(3.6, true));
    TextCentrat(p, 53, 46, QStringLiteral("de acordare a gradului didactic"), Font(2.4, false, true));
    TextCentrat(p, 53, 137, QStringLiteral("Semnături"), Font(2.2, false, true));
    TextCentrat(p, 53, 158, QStringLiteral("Am primit certificatul"), Font(2.2, false, true));
    TextCentrat(p, 53, 192, QStringLiteral("COTOR"), Font(2.0, true, false, false));

    const double cx = (kCotorMm + 6 + kLatimeMm - 8) / 2;
    TextCentrat(p, cx, 20, QStringLiteral("ROMÂNIA"), Font(4.2, true));
    TextCentrat(p, cx, 27, QStringLiteral("MINISTERUL EDUCAŢIEI"), Font(3.2, true));
    TextCentrat(p, cx, 60, QStringLiteral("CERTIFICAT DE ACORDARE A GRADULUI DIDACTIC"), Font(4.6, true));
    TextCentrat(p, cx, 150, QStringLiteral("L.S."), Font(3.0, false, true));
    // Stylised coat of arms.
    p.setPen(QPen(verde, P(0.4)));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(P(cx), P(35.5)), P(5), P(5.5));
    p.drawEllipse(QPointF(P(cx), P(35.5)), P(3.5), P(4));
    p.setPen(gri);

    // Value lines under every text area of the layout, with their captions.
    QObject proprietar;
    proprietar.setObjectName(QStringLiteral("PrintLauridex"));
    const TMachetaIncarcata m = IncarcaMacheta(MachetaCertificat(), &proprietar, nullptr);
    std::unique_ptr<TFormularDePrintat> pagina(m.Pagini.value(0));
    const QHash<QString, QString> etichete = Etichete();
    QPen punctat(QColor(110, 110, 110), P(0.15), Qt::DotLine);
    for (TFormularTextArea *a : pagina->TextAreas()) {
        const double y = a->_Top() + a->_Height() + 0.4;
        p.setPen(punctat);
        p.drawLine(QPointF(P(a->_Left()), P(y)), QPointF(P(a->_Left() + a->_Width()), P(y)));
        const QString camp = a->Denumire1().section(QLatin1Char('.'), 2);
        QString eticheta = etichete.value(camp);
        if (a->Denumire2() == QLatin1String("litere"))
            eticheta.clear();
        if (eticheta.isEmpty())
            continue;
        p.setPen(gri);
        const QFont f = Font(camp.startsWith(QLatin1String("D_")) ? 2.6 : 2.0, false, true);
        const QFontMetricsF fm(f);
        const double latime = fm.horizontalAdvance(eticheta + QLatin1Char(' ')) / kPxMm;
        if (eticheta.endsWith(QLatin1Char(',')))
            TextCentrat(p, a->_Left() + a->_Width() / 2, a->_Top() - 0.8, eticheta, f);
        else if (a->_Left() - latime > (a->_Left() > kCotorMm ? kCotorMm + 11 : 11))
            TextLa(p, a->_Left() - latime, a->_Top() + a->_Height(), eticheta, f);
    }
    p.end();
    return img;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkbackground OUTPUT\n");
        return 2;
    }
    try {
        const QByteArray jpeg = CodecJpeg::Codifica(Deseneaza(), 88, kDpi);
        ScrieFisierAtomic(QString::fromLocal8Bit(argv[1]), TFormularDePrintat::CombinaCuCheia(jpeg));
    } catch (const EZel &e) {
        std::fprintf(stderr, "mkbackground: %s\n", e.what());
        return 1;
    }
    return 0;
}
