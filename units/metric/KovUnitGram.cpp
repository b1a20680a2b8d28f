#include "units/metric/KovUnitGram.h"

double KovUnitGram::getGrams(const KovString& text) const { return readScaledNumber(text); }
