#include "UnitSource.h"

#include "units/core/KovUnitBase.h"

// Units are made directly from their classes while the factory is not part of the
// build; each class joins as soon as its header exists.
#if __has_include("units/metric/KovUnitDecimal.h")
#include "units/metric/KovUnitDecimal.h"
#include "units/metric/KovUnitGram.h"
#include "units/metric/KovUnitKiloNewton.h"
#include "units/metric/KovUnitKiloNewtonMeter.h"
#include "units/metric/KovUnitNewtonPerSquareMm.h"
#define PELBENCH_HAVE_METRIC 1
#endif
#if __has_include("units/imperial/KovUnitInch.h")
#include "units/imperial/KovUnitInch.h"
#define PELBENCH_HAVE_INCH 1
#endif
#if __has_include("units/imperial/KovUnitLbsOunces.h")
#include "units/imperial/KovUnitLbsOunces.h"
#define PELBENCH_HAVE_LBS 1
#endif
#if __has_include("units/fraction/KovUnitFractalInch.h")
#include "units/fraction/KovUnitFractalInch.h"
#define PELBENCH_HAVE_FRACTAL_INCH 1
#endif
#if __has_include("units/fraction/KovUnitFractalDecimal.h")
#include "units/fraction/KovUnitFractalDecimal.h"
#define PELBENCH_HAVE_FRACTAL_DECIMAL 1
#endif
#if __has_include("units/angle/KovUnitGradMinSec.h")
#include "units/angle/KovUnitDegree.h"
#include "units/angle/KovUnitGon.h"
#include "units/angle/KovUnitGradMinSec.h"
#include "units/angle/KovUnitRadian.h"
#define PELBENCH_HAVE_ANGLE 1
#endif

namespace pelbench {

void UnitDeleter::operator()(KovUnitTransform* unit) const {
  delete static_cast<KovUnitBase*>(unit);
}

UnitPtr newUnit(int systemUnits, int representation) {
  KovUnitBase* unit = nullptr;
  switch (systemUnits) {
    case 20:
      if (representation == 5) {
#ifdef PELBENCH_HAVE_METRIC
        unit = new KovUnitDecimal();
#endif
      } else if (representation == 1) {
#ifdef PELBENCH_HAVE_FRACTAL_INCH
        unit = new KovUnitFractalInch();
#endif
      } else if (representation == 5006) {
#ifdef PELBENCH_HAVE_FRACTAL_DECIMAL
        unit = new KovUnitFractalDecimal();
#endif
      } else {
#ifdef PELBENCH_HAVE_INCH
        unit = new KovUnitInch();
#endif
      }
      break;
    case 2000:
#ifdef PELBENCH_HAVE_ANGLE
      if (representation == 2005) {
        unit = new KovUnitRadian();
      } else if (representation == 2007) {
        unit = new KovUnitGon();
      } else if (representation == 2008) {
        unit = new KovUnitGradMinSec();
      } else {
        unit = new KovUnitDegree();
      }
#endif
      break;
    case 1010:
#ifdef PELBENCH_HAVE_LBS
      unit = new KovUnitLbsOunces();
#endif
      break;
#ifdef PELBENCH_HAVE_METRIC
    case 1009:
      unit = new KovUnitGram();
      break;
    case 3101:
      unit = new KovUnitKiloNewton();
      break;
    case 3201:
      unit = new KovUnitKiloNewtonMeter();
      break;
    case 3300:
      unit = new KovUnitNewtonPerSquareMm();
      break;
#endif
    default:
      break;
  }
  return UnitPtr(unit);
}

}  // namespace pelbench
