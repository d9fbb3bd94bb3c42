#pragma once
#include <QDateTime>
#include <functional>

// The clock seen by timers and threads. Tests replace it to step time by hand.
namespace Ceas {
QDateTime Acum();
void Dormi(int milisecunde);
// Replaces the clock (and, when given, the sleep); empty functions restore the real ones.
void Inlocuieste(std::function<QDateTime()> acum, std::function<void(int)> dormi = {});
} // namespace Ceas
