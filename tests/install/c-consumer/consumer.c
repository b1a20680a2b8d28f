/* A C99 program outside the library, built against the installed package only. */
#include <math.h>
#include <pelunits.h>
#include <stdio.h>
#include <string.h>

static int fail(int code, const char* what) {
  fprintf(stderr, "c consumer: %s\n", what);
  return code;
}

int main(void) {
  char text[64];
  size_t length = 0;
  double mm = 0.0;
  size_t offset = 0;
  pelunits_status status;
  pelunits_format_options options;
  pelunits_unit* unit = pelunits_unit_new(20, 1); /* feet, inches and fractions */

  if (unit == NULL) return fail(1, "no unit");
  pelunits_unit_set_precision(unit, 16);
  if (pelunits_display(unit, 1689.1, 0, ' ', text, sizeof text, &length) != PELUNITS_OK ||
      strcmp(text, "5' 6 1/2\"") != 0 || length != strlen(text)) {
    return fail(2, "display of 1689.1");
  }
  /* Asked for the length first, as a caller with a buffer of its own does. */
  if (pelunits_display(unit, 1689.1, 0, '-', NULL, 0, &length) != PELUNITS_BUFFER_TOO_SMALL ||
      length != 9) {
    return fail(3, "length of the display");
  }
  status = pelunits_read(unit, "5' 7 1/4\"", &mm, &offset);
  if (status != PELUNITS_OK || fabs(mm - 1708.15) > 1e-9) return fail(4, "read 5' 7 1/4\"");
  status = pelunits_read(unit, "5' x\"", &mm, &offset);
  if (status != PELUNITS_INVALID || offset != 3) return fail(5, "read 5' x\"");
  printf("5' x\": %s at byte %u\n", pelunits_status_message(status), (unsigned)offset);
  if (fabs(pelunits_read_as_typed(unit, "5' 7 1/4\"") - 1708.15) > 1e-9) {
    return fail(6, "read as typed");
  }
  pelunits_unit_free(unit);

  unit = pelunits_unit_from_name("metres");
  if (unit == NULL) return fail(7, "metres");
  pelunits_unit_free(unit);

  /* The init fills the whole record of the header the program is built with. */
  unit = pelunits_unit_from_name("degrees-minutes-seconds");
  if (unit == NULL) return fail(8, "degrees-minutes-seconds");
  pelunits_format_options_init(&options);
  options.angle_style = PELUNITS_ANGLE_BEARING;
  if (pelunits_format(unit, 44.5, &options, text, sizeof text, &length) != PELUNITS_OK ||
      strcmp(text,
             "N 45\xc2\xb0"
             "30'0\" E") != 0) {
    return fail(9, "bearing of 44.5");
  }
  pelunits_unit_free(unit);
  printf("c consumer ok, library %s\n", pelunits_version());
  return 0;
}
