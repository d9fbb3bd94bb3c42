#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

// Comma text of a list: items joined with ","; an item holding a blank, a control
// character, a comma or a double quote is written between double quotes with its
// quotes doubled; an empty item is nothing between its commas.
QString CommaText(const QStringList &elemente);
// Reads comma text: leading blanks are skipped, items are separated by commas or by
// blanks outside quotes, and a quoted item keeps its blanks and commas.
QStringList DinCommaText(const QString &text);

// The printer settings of the current user: what the calibration wizard found out, the
// margins last typed when inserting a sheet and the last state of the mirror box.
// Key SOFTWARE\Zelmora SOFT\Brevia\2008\Lauridex, text values "all", "OglindescFata" and
// "OglindescVerso". Loads when created, writes all three values back when destroyed.
// Store errors propagate from both (create it on the stack or free it with delete).
class TAllStuffReg {
public:
    // Throws EZel when the stored values cannot be read; nothing is registered then.
    TAllStuffReg();
    ~TAllStuffReg() noexcept(false);
    TAllStuffReg(const TAllStuffReg &) = delete;
    TAllStuffReg &operator=(const TAllStuffReg &) = delete;

    static QString CaleCheie();

    bool Configured = false;
    bool PaperTurned = false;
    bool LineRight = false;
    bool LineBottom = false;
    uint8_t FeedMode = 0; // 1 top feed, 2 front feed, 3 and 4 internal tray; 0 not yet set
    QString PrinterName;
    int32_t PrinterIndex = 0;
    double LeftFront = 0;
    double TopFront = 0;
    double LeftBack = 0;
    double TopBack = 0;
    QString MirrorFront = QStringLiteral("*"); // "*" never set, "D" ticked, "N" not ticked
    QString MirrorBack = QStringLiteral("*");

    // Page 0 front, 1 back; "*" for any other page.
    QString MirrorFor(int pagina) const;
    // Other pages are ignored.
    void SetMirrorFor(int pagina, const QString &text);

private:
    void Incarca();
    void Salveaza();

    int m_exceptiiLaCreare;
};

// The first instance created while none was registered; nullptr when there is none.
TAllStuffReg *CurrentPrinterSettings();
