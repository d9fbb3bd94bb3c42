#include "form/FormularDePrintat.h"

#include "form/CodecJpeg.h"
#include "form/FormularTextArea.h"
#include "form/Particularizari.h"
#include "form/ResurseExterne.h"
#include "text/Eroare.h"
#include "text/FluxValori.h"
#include "text/FolderProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace {
constexpr unsigned char kCheie = 0xA7;
constexpr qsizetype kBloc = 5121;
constexpr qint64 kOctetiFundalMaxim = qint64(256) * 1024 * 1024;

// A local name: a drive path ("C:\..."), or on this platform an absolute path that is
// not a network name ("//server/...").
bool EsteNumeLocal(const QString &v)
{
    if (v.size() >= 3 && v.at(1) == QLatin1Char(':') && (v.at(2) == QLatin1Char('\\') || v.at(2) == QLatin1Char('/')))
        return true;
#ifndef Q_OS_WIN
    if (v.startsWith(QLatin1Char('/')) && !v.startsWith(QLatin1String("//")))
        return true;
#endif
    return false;
}
} // namespace

QString TImagineFundal::TipGrafic() const
{
    if (EsteJpeg())
        return QStringLiteral("TJPEGImage");
    if (AreGrafic())
        return QStringLiteral("TBitmap");
    return QString();
}

TImagineFundal TImagineFundal::DinJpeg(const QByteArray &jpeg)
{
    TImagineFundal f;
    f.Imagine = CodecJpeg::Decodifica(jpeg);
    f.Jpeg = jpeg;
    return f;
}

TImagineFundal TImagineFundal::DinImagine(const QImage &imagine)
{
    TImagineFundal f;
    f.Imagine = imagine;
    return f;
}

TFormularDePrintat::TFormularDePrintat(QWidget *parinte, const QString &nume) : QWidget(parinte)
{
    setObjectName(nume);
    ApplyPageSize();
}

TFormularDePrintat::~TFormularDePrintat() = default;

int TFormularDePrintat::MmToPixels(double dpi, double mm)
{
    return int(std::trunc(mm * dpi / 25.4));
}

double TFormularDePrintat::PixelsToMm(double px, double dpi)
{
    return px * 25.4 / dpi;
}

void TFormularDePrintat::SetZoom(double v)
{
    if (v == m_zoom)
        return;
    m_zoom = v;
    ApplyPageSize();
    for (TFormularTextArea *a : TextAreas())
        a->ZoomChanged();
    Repicteaza();
}

void TFormularDePrintat::SetLatime(double v)
{
    m_latime = v;
    ApplyPageSize();
}

void TFormularDePrintat::SetInaltime(double v)
{
    m_inaltime = v;
    ApplyPageSize();
}

void TFormularDePrintat::ApplyPageSize()
{
    const double dpi = ScreenDpi();
    setFixedSize(MmToPixels(dpi, m_latime), MmToPixels(dpi, m_inaltime));
}

void TFormularDePrintat::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    ApplyPageSize();
}

void TFormularDePrintat::Repicteaza()
{
    ++m_repictari;
    update();
}

unsigned char TFormularDePrintat::CheieFundal()
{
    return kCheie;
}

QByteArray TFormularDePrintat::CombinaCuCheia(QByteArray octeti)
{
    char *d = octeti.data();
    for (qsizetype start = 0; start < octeti.size(); start += kBloc) {
        const qsizetype sfarsit = std::min(octeti.size(), start + kBloc);
        for (qsizetype i = start; i < sfarsit; ++i)
            d[i] = char(static_cast<unsigned char>(d[i]) ^ kCheie);
    }
    return octeti;
}

void TFormularDePrintat::SetBkImage(const TImagineFundal &v)
{
    m_cache = QImage();
    m_bkImage = v;
    Repicteaza();
    if (!m_incarcare && !m_bkFileName.isEmpty())
        SaveBkImageFile(m_bkFileName);
}

void TFormularDePrintat::LoadBkImageFile(const QString &nume)
{
    QString cale = nume;
    if (!QFileInfo::exists(cale))
        cale = FolderulProgramului() + NumeFisierDinCale(nume);
    QFile f(cale);
    if (!QFileInfo(cale).isFile() || !f.open(QIODevice::ReadOnly))
        throw EZel(QStringLiteral("Nu pot citi din fisierul %1").arg(cale));
    // The whole file is read into memory: a file far larger than any scanned sheet is
    // refused before the allocation.
    if (f.size() > kOctetiFundalMaxim)
        throw EZel(QStringLiteral("Fisierul %1 este prea mare pentru o imagine de fundal").arg(cale));
    const QByteArray jpeg = CombinaCuCheia(f.readAll());
    m_bkImage = TImagineFundal::DinJpeg(jpeg);
    m_cache = QImage();
    Repicteaza();
}

void TFormularDePrintat::SaveBkImageFile(const QString &nume) const
{
    if (m_bkImage.EsteJpeg()) {
        const QString folder = QFileInfo(nume).absolutePath();
        if (!QDir().mkpath(folder))
            throw EZel(QStringLiteral("Nu pot crea folderul %1").arg(QDir::toNativeSeparators(folder)));
        ScrieFisierAtomic(nume, CombinaCuCheia(m_bkImage.Jpeg));
    } else if (QFileInfo::exists(nume)) {
        if (!QFile::remove(nume))
            throw EZel(QStringLiteral("Nu pot sterge fisierul %1").arg(QDir::toNativeSeparators(nume)));
    }
}

void TFormularDePrintat::TraceBkImage(const QString &cuvant)
{
    if (m_bkDummyMsg.isEmpty())
        m_bkDummyMsg = cuvant;
    else
        m_bkDummyMsg += QLatin1Char('-') + cuvant;
}

void TFormularDePrintat::SetBkImage_FileName(const QString &valoare)
{
    QString v = valoare;
    ++m_atribuiri;
    m_bkDummyMsg.clear();
    if (v.isEmpty()) {
        TraceBkImage(QStringLiteral("reset"));
    } else {
        TraceBkImage(QStringLiteral("nonvid"));
        if (v.size() < 3)
            throw EZel(QStringLiteral("%1 nu este un nume valid").arg(v));
        if (!EsteNumeLocal(v))
            throw EZel(QStringLiteral("%1 nu este un nume valid, vrea sa am un nume LOCAL (nu de pe retea)").arg(v));
        if (m_incarcare || (QFileInfo::exists(v) && !m_bkImage.AreGrafic())) {
            TraceBkImage(QStringLiteral("loadfn"));
            try {
                LoadBkImageFile(v);
            } catch (const EZel &) {
                v.clear();
            }
        } else if (m_bkImage.EsteJpeg()) {
            TraceBkImage(QStringLiteral("savefn"));
            SaveBkImageFile(v);
        } else {
            TraceBkImage(m_bkImage.AreGrafic() ? m_bkImage.TipGrafic() : QStringLiteral("nographic"));
            v.clear();
        }
    }
    m_bkFileName = v;
    m_bkDummyMsg = QString::number(m_atribuiri) + QStringLiteral(": ") + m_bkDummyMsg;
}

void TFormularDePrintat::RebuildBackgroundCache()
{
    if (m_cache.width() == width() && m_cache.height() == height())
        return;
    m_cache = QImage(width(), height(), QImage::Format_RGB32);
    m_cache.fill(palette().color(QPalette::Window));
    QPainter p(&m_cache);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, width() - 1, height() - 1), m_bkImage.Imagine);
}

void TFormularDePrintat::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    if (!m_bkImage.AreGrafic() || m_bkImage.Imagine.width() == 0 || m_bkImage.Imagine.height() == 0) {
        p.fillRect(e->rect(), palette().color(QPalette::Window));
        return;
    }
    RebuildBackgroundCache();
    p.drawImage(e->rect(), m_cache, e->rect());
}

QList<TFormularTextArea *> TFormularDePrintat::TextAreas() const
{
    QList<TFormularTextArea *> l;
    for (QObject *o : children())
        if (auto *a = qobject_cast<TFormularTextArea *>(o))
            l.append(a);
    return l;
}

TFormularTextArea *TFormularDePrintat::TextAreaByNumber(int n) const
{
    const QString nume = QStringLiteral("FormularTextArea") + QString::number(n);
    for (QObject *o : children())
        if (o->objectName() == nume)
            return qobject_cast<TFormularTextArea *>(o);
    return nullptr;
}

int TFormularDePrintat::HighestTextAreaNumber() const
{
    static const QString prefix = QStringLiteral("FormularTextArea");
    int maxim = 0;
    for (QObject *o : children()) {
        const QString nume = o->objectName();
        if (nume.size() <= prefix.size() || !nume.startsWith(prefix))
            continue;
        QString cifre;
        for (QChar c : QStringView(nume).mid(prefix.size()))
            if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
                cifre += c;
        bool ok = false;
        const int n = cifre.toInt(&ok);
        if (ok)
            maxim = std::max(maxim, n);
    }
    return maxim;
}

void TFormularDePrintat::NumberTextAreas()
{
    const int maxim = HighestTextAreaNumber();
    for (int n = 1; n <= maxim; ++n)
        if (TFormularTextArea *a = TextAreaByNumber(n))
            a->SetText(QLatin1Char('<') + QString::number(n) + QLatin1Char('>'));
    SetTextAreaTransparent(true);
    SetZoom(100);
}

void TFormularDePrintat::PrintPage(TDispozitivTiparire &dc, bool mirror, TDirectorModificari &director, double X,
                                   double Y)
{
    Q_UNUSED(director);
    X += m_deltaStanga;
    Y += m_deltaSus;
    for (TFormularTextArea *a : TextAreas())
        a->PrintTo(dc, mirror, X, Y);
}
