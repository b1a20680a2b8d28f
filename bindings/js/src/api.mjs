// The JavaScript face of the C interface, over a WebAssembly instance of the library.
// Texts cross as UTF-16, the form of JavaScript strings: no encoding step, and the
// positions the reader reports are string indices as they are.

const OK = 0;
const INCOMPLETE = 1;
const INVALID = 2;
const BUFFER_TOO_SMALL = 3;
const NO_MEMORY = 5;

const TRIM_TRAILING_ZEROS = 0x01;
const TRIM_LEADING_ZERO = 0x02;
const HIDE_ZERO_FEET = 0x04;
const HIDE_ZERO_INCHES = 0x08;
const WITH_UNITS = 0x10;
const ARCH_INCH_MARK = 0x20;
const ARCH_STACKED = 0x40;
const ARCH_DASH_AFTER_FEET = 0x80;
const ARCH_EXTRA = 0x100;
const FORMAT_PLUS_SIGN = 0x400;
const FORMAT_TYPOGRAPHIC = 0x800;
const FORMAT_INEXACT_MARKER = 0x1000;
const ROUNDING = Object.freeze({ nearest: 0, up: 1, down: 2 });
const ANGLE_STYLE = Object.freeze({ plain: 0, bearing: 1, azimuth: 2 });
const ANGLE_ZERO = Object.freeze({ east: 0, north: 1, west: 2, south: 3 });
const ANGLE_SENSE = Object.freeze({ counterclockwise: 0, clockwise: 1 });

// The code of `name` in `choices`; a TypeError naming the choices otherwise.
function codeOf(choices, name, what) {
  const code = Object.prototype.hasOwnProperty.call(choices, name) ? choices[name] : undefined;
  if (code === undefined) throw new TypeError(`${what} must be one of ${Object.keys(choices).join(", ")}`);
  return code;
}

/** Names for the factory's codes, as in the C header PelUnitsCodes.h: the quantity codes
 * and the representation codes that `new Unit([quantity, representation])` takes. */
export const codes = Object.freeze({
  LENGTH: 20,
  WEIGHT: 1009,
  IMPERIAL_WEIGHT: 1010,
  ANGLE: 2000,
  AREA: 3005,
  IMPERIAL_AREA: 3020,
  FORCE: 3101,
  FORCE_ALTERNATE: 3102,
  MOMENT: 3201,
  MOMENT_ALTERNATE: 3202,
  STRESS: 3300,
  STRESS_ALTERNATE: 3301,
  VOLUME: 5003,
  IMPERIAL_VOLUME: 5004,
  FOURTH_POWER: 5103,
  IMPERIAL_FOURTH_POWER: 5104,

  ANY_REPRESENTATION: 0,
  FRACTIONAL_INCH: 1,
  DECIMAL_INCH: 2,
  DECIMAL: 5,
  FRACTIONAL_DECIMAL: 5006,
  RADIANS: 2005,
  GON: 2007,
  DEGREES_MINUTES_SECONDS: 2008,
  AREA_DECIMAL: 3003,
  AREA_FRACTIONAL_DECIMAL: 3004,
  IMPERIAL_AREA_FRACTIONAL_INCH: 3001,
  IMPERIAL_AREA_DECIMAL_INCH: 3002,
  IMPERIAL_AREA_DECIMAL: 3005,
  VOLUME_DECIMAL: 4003,
  VOLUME_FRACTIONAL_DECIMAL: 4004,
  IMPERIAL_VOLUME_FRACTIONAL_INCH: 4001,
  IMPERIAL_VOLUME_DECIMAL_INCH: 4002,
  IMPERIAL_VOLUME_DECIMAL: 4005,
  FOURTH_POWER_DECIMAL: 5003,
  FOURTH_POWER_FRACTIONAL_DECIMAL: 5004,
  IMPERIAL_FOURTH_POWER_FRACTIONAL_INCH: 5001,
  IMPERIAL_FOURTH_POWER_DECIMAL_INCH: 5002,
  IMPERIAL_FOURTH_POWER_DECIMAL: 5005,
  OTHER_DECIMAL: 3,
  OTHER_FRACTIONAL_DECIMAL: 4,
  OTHER_DEGREES: 2006,
});

/** What a typed text is for a unit. */
export const ReadStatus = Object.freeze({ COMPLETE: 0, INCOMPLETE: 1, INVALID: 2 });

/** The quantity of a unit, and so the internal unit of its values. */
export const Quantity = Object.freeze({
  LENGTH: 0, // millimetres raised to the unit's power
  ANGLE: 1, // degrees
  WEIGHT: 2, // grams
  FORCE: 3, // kilonewtons
  MOMENT: 4, // kilonewton-metres
  STRESS: 5, // newtons per square millimetre
});

/** A text that the exact reader does not take as a whole quantity. `position` counts
 * UTF-16 code units (string indices); `index` is the item of readMany, else undefined. */
export class ReadError extends Error {
  constructor(text, position, incomplete, message, index) {
    const where = index === undefined ? "" : `item ${index}: `;
    super(`${where}${message} at position ${position} of ${JSON.stringify(text)}`);
    this.name = "ReadError";
    this.text = text;
    this.position = position;
    this.incomplete = incomplete;
    this.reason = message;
    this.index = index;
  }
}

/** The regional number format that Intl gives for a language ("de-DE"; undefined for
 * the runtime's own), as setRegionalFormat takes it. */
export function regionalFormatOf(language) {
  let parts;
  try {
    parts = new Intl.NumberFormat(language, { useGrouping: true }).formatToParts(-1234567.5);
  } catch {
    return null;
  }
  const of = (type) => parts.find((part) => part.type === type);
  const decimal = of("decimal");
  if (!decimal) return null;
  const group = of("group");
  const integers = parts.filter((part) => part.type === "integer");
  const minus = parts.findIndex((part) => part.type === "minusSign");
  const firstNumber = parts.findIndex((part) => part.type === "integer");
  return {
    decimal: decimal.value,
    group: group ? group.value : "",
    grouping: group && integers.length > 1 ? integers[integers.length - 1].value.length : 0,
    negativeForm: minus > firstNumber ? 3 : 1,
    leadingZero: true,
  };
}

/** Binds the API to an instantiated core (the emscripten module of the library). */
export function bindPelUnits(core) {
  const c = {
    version: core._pelunits_version,
    statusMessage: core._pelunits_status_message,
    setNumberFormat: core._pelunits_set_number_format,
    unitNew: core._pelunits_unit_new,
    unitFromName: core._pelunits_unit_from_name,
    unitClone: core._pelunits_unit_clone,
    unitFree: core._pelunits_unit_free,
    namedCount: core._pelunits_named_unit_count,
    namedName: core._pelunits_named_unit_name,
    namedDescription: core._pelunits_named_unit_description,
    systemUnits: core._pelunits_unit_system_units,
    representation: core._pelunits_unit_representation,
    quantity: core._pelunits_unit_quantity,
    setPrecision: core._pelunits_unit_set_precision,
    getPrecision: core._pelunits_unit_get_precision,
    setFactor: core._pelunits_unit_set_factor,
    getFactor: core._pelunits_unit_get_factor,
    setPower: core._pelunits_unit_set_power,
    getPower: core._pelunits_unit_get_power,
    setRegional: core._pelunits_unit_set_regional,
    getRegional: core._pelunits_unit_get_regional,
    incrementPrecision: core._pelunits_unit_increment_precision,
    noDecimals: core._pelunits_unit_get_no_decimals,
    isMetric: core._pelunits_unit_is_metric,
    isFractional: core._pelunits_unit_is_fractional,
    isAngle: core._pelunits_unit_is_angle,
    setSymbol: core._pelunits_unit_set_symbol_utf16,
    getSymbol: core._pelunits_unit_get_symbol_utf16,
    display: core._pelunits_display_utf16,
    displayArch: core._pelunits_display_arch_utf16,
    displayMany: core._pelunits_display_many_utf16,
    format: core._pelunits_format_utf16,
    read: core._pelunits_read_utf16_ex,
    readAngle: core._pelunits_read_angle_utf16,
    readMany: core._pelunits_read_many_utf16,
    readAsTyped: core._pelunits_read_as_typed_utf16_ex,
    isValid: core._pelunits_is_valid_utf16_ex,
  };
  const utf8 = (pointer) => core.UTF8ToString(pointer);
  const message = (status) => utf8(c.statusMessage(status));

  // One scratch area serves every call: the library keeps no pointer into it, and JS
  // runs one call at a time. It grows to the largest text or column seen.
  let scratch = 0;
  let scratchSize = 0;
  function room(bytes) {
    if (bytes > scratchSize) {
      const size = Math.max(bytes, 2 * scratchSize, 1024);
      const fresh = core._malloc(size);
      if (!fresh) throw new RangeError("pelunits: out of memory");
      if (scratch) core._free(scratch);
      scratch = fresh;
      scratchSize = size;
    }
    return scratch;
  }
  // Views of the memory are taken after any allocation: growing memory replaces them.
  const u16 = () => core.HEAPU16;

  function checkStatus(status) {
    if (status === OK) return;
    if (status === NO_MEMORY) throw new RangeError("pelunits: out of memory");
    throw new TypeError(`pelunits: ${message(status)}`);
  }

  // Writes a string's code units at `at` (a byte address, even) with a NUL after them.
  function putText(text, at) {
    const heap = u16();
    let i = at >> 1;
    for (let k = 0; k < text.length; ++k) heap[i++] = text.charCodeAt(k);
    heap[i] = 0;
  }

  // The layout of the C output slots the calls share: a size_t, a double, a pointer.
  // `extra` bytes (a multiple of 8) after them hold the inputs a call writes itself at
  // the address it is given, since the scratch area moves when it grows.
  const SLOTS = 32;
  function textOut(call, extra = 0) {
    for (let capacity = 64; ; ) {
      const base = room(SLOTS + extra + 2 * capacity + 2);
      const buffer = base + SLOTS + extra;
      const status = call(buffer, capacity + 1, base, base + SLOTS);
      const length = core.HEAPU32[base >> 2];
      if (status === BUFFER_TOO_SMALL && length >= capacity) {
        capacity = length;
        continue;
      }
      checkStatus(status);
      return stringAt(buffer, length);
    }
  }

  const decoder = typeof TextDecoder === "function" ? new TextDecoder("utf-16le") : null;
  function stringAt(byteAddress, length) {
    const start = byteAddress >> 1;
    if (length < 24 || !decoder) {
      return String.fromCharCode.apply(null, u16().subarray(start, start + length));
    }
    return decoder.decode(u16().subarray(start, start + length));
  }

  function textOf(value, what) {
    if (typeof value !== "string") throw new TypeError(`${what} must be a string`);
    return value;
  }

  function separatorCode(separator) {
    if (typeof separator === "number") return separator >>> 0;
    const code = typeof separator === "string" ? separator.codePointAt(0) : undefined;
    if (code === undefined || String.fromCodePoint(code) !== separator) {
      throw new TypeError("separator must be one character");
    }
    return code;
  }

  function displayFlags(o) {
    return (
      (o.trimTrailingZeros ? TRIM_TRAILING_ZEROS : 0) |
      (o.trimLeadingZero ? TRIM_LEADING_ZERO : 0) |
      (o.hideZeroFeet ? HIDE_ZERO_FEET : 0) |
      (o.hideZeroInches ? HIDE_ZERO_INCHES : 0) |
      (o.withUnits ? WITH_UNITS : 0)
    );
  }

  // The codes of an angle style and convention, the defaults for those not given.
  function angleReading(o) {
    return [
      codeOf(ANGLE_STYLE, o.angleStyle ?? "plain", "angleStyle"),
      codeOf(ANGLE_ZERO, o.angleZero ?? "east", "angleZero"),
      codeOf(ANGLE_SENSE, o.angleSense ?? "counterclockwise", "angleSense"),
    ];
  }

  // pelunits_format_options on wasm32: a 4-byte size_t and pointer, then the double at
  // 8, then seven 4-byte fields, padded to a multiple of 8.
  const FORMAT_OPTIONS_SIZE = 48;
  function formatRecord(o) {
    const rounding = ROUNDING[o.rounding ?? "nearest"];
    if (rounding === undefined) throw new TypeError('rounding must be "nearest", "up" or "down"');
    const text = typeof o.increment === "string" ? o.increment : null;
    if (text !== null && text.includes("\0")) throw new TypeError("increment must not hold NUL");
    const step = text === null && o.increment != null ? Number(o.increment) : 0;
    const significant = (o.significantDigits ?? 0) | 0;
    const flags =
      displayFlags({
        trimTrailingZeros: o.trimTrailingZeros,
        hideZeroFeet: o.hideZeroFeet ?? true,
        hideZeroInches: o.hideZeroInches,
        withUnits: o.withSymbol,
      }) |
      (o.plusSign ? FORMAT_PLUS_SIGN : 0) |
      (o.typographic ? FORMAT_TYPOGRAPHIC : 0) |
      (o.inexactMarker ? FORMAT_INEXACT_MARKER : 0);
    const separator = separatorCode(o.separator ?? " ");
    const [angleStyle, angleZero, angleSense] = angleReading(o);
    const textRoom = text === null ? 0 : 3 * text.length + 1;
    return {
      bytes: FORMAT_OPTIONS_SIZE + ((textRoom + 7) & ~7),
      write(at) {
        const i = at >> 2;
        core.HEAPU32[i] = FORMAT_OPTIONS_SIZE;
        core.HEAPU32[i + 1] = text === null ? 0 : at + FORMAT_OPTIONS_SIZE;
        if (text !== null) core.stringToUTF8(text, at + FORMAT_OPTIONS_SIZE, textRoom);
        core.HEAPF64[(at + 8) >> 3] = step;
        core.HEAP32[i + 4] = rounding;
        core.HEAP32[i + 5] = significant;
        core.HEAPU32[i + 6] = flags;
        core.HEAPU32[i + 7] = separator;
        core.HEAP32[i + 8] = angleStyle;
        core.HEAP32[i + 9] = angleZero;
        core.HEAP32[i + 10] = angleSense;
      },
    };
  }

  const release =
    typeof FinalizationRegistry === "function"
      ? new FinalizationRegistry((handle) => c.unitFree(handle))
      : null;

  class Unit {
    /** A display unit by name, `new Unit("metres")`, or by the factory codes,
     * `new Unit([20, 1])`; the settings of `options` (precision, factor, power,
     * regional, symbol) are applied after the name's own. */
    constructor(nameOrCodes, options = {}) {
      let handle;
      if (typeof nameOrCodes === "string") {
        const base = room(4 * nameOrCodes.length + 1);
        core.stringToUTF8(nameOrCodes, base, 4 * nameOrCodes.length + 1);
        handle = c.unitFromName(base);
        if (!handle) throw new RangeError(`unknown unit ${JSON.stringify(nameOrCodes)}; units() lists the names`);
      } else if (Array.isArray(nameOrCodes) && nameOrCodes.length === 2) {
        handle = c.unitNew(nameOrCodes[0] | 0, nameOrCodes[1] | 0);
        if (!handle) throw new RangeError(`the factory has no unit for codes ${nameOrCodes}`);
      } else {
        throw new TypeError("give a unit name or the codes [systemUnits, representation]");
      }
      this._adopt(handle, typeof nameOrCodes === "string" ? nameOrCodes : null);
      for (const key of ["factor", "precision", "power", "regional", "symbol"]) {
        if (options[key] !== undefined) this[key] = options[key];
      }
    }

    _adopt(handle, name) {
      this._handle = handle;
      this.name = name;
      if (release) release.register(this, handle, this);
    }

    _h() {
      if (!this._handle) throw new TypeError("the unit has been freed");
      return this._handle;
    }

    /** Releases the unit now rather than when it is collected. */
    free() {
      if (!this._handle) return;
      if (release) release.unregister(this);
      c.unitFree(this._handle);
      this._handle = 0;
    }

    /** An independent unit with the same settings. */
    clone() {
      const handle = c.unitClone(this._h());
      if (!handle) throw new RangeError("pelunits: out of memory");
      const copy = Object.create(Unit.prototype);
      copy._adopt(handle, this.name);
      return copy;
    }

    get codes() { return [c.systemUnits(this._h()), c.representation(this._h())]; }
    get quantity() { return c.quantity(this._h()); }
    get precision() { return c.getPrecision(this._h()); }
    set precision(value) { checkStatus(c.setPrecision(this._h(), value | 0)); }
    get factor() { return c.getFactor(this._h()); }
    set factor(value) { checkStatus(c.setFactor(this._h(), Number(value))); }
    get power() { return c.getPower(this._h()); }
    set power(value) { checkStatus(c.setPower(this._h(), value | 0)); }
    get regional() { return c.getRegional(this._h()) !== 0; }
    set regional(value) { checkStatus(c.setRegional(this._h(), value ? 1 : 0)); }
    get noDecimals() { return c.noDecimals(this._h()) !== 0; }
    get isMetric() { return c.isMetric(this._h()) !== 0; }
    get isFractional() { return c.isFractional(this._h()) !== 0; }
    get isAngle() { return c.isAngle(this._h()) !== 0; }
    /** One step finer precision; false when the unit has none finer. */
    incrementPrecision() { return c.incrementPrecision(this._h()) !== 0; }

    get symbol() {
      const h = this._h();
      return textOut((buffer, size, length) => c.getSymbol(h, buffer, size, length));
    }
    set symbol(value) {
      const text = textOf(value, "symbol");
      const h = this._h();
      const base = room(2 * text.length + 2);
      putText(text, base);
      checkStatus(c.setSymbol(h, base));
    }

    /** The display text of an internal value. Options: trimTrailingZeros,
     * trimLeadingZero, hideZeroFeet, hideZeroInches, separator (" " or "-"), withUnits. */
    display(value, options = {}) {
      const h = this._h();
      const flags = displayFlags(options);
      const separator = separatorCode(options.separator ?? " ");
      const v = Number(value);
      return textOut((buffer, size, length) => c.display(h, v, flags, separator, buffer, size, length));
    }

    /** The text of an internal value with formatting options: increment (a text the
     * exact reader reads, "5 mm", or a number in the display unit), rounding
     * ("nearest", "up" toward +Infinity, "down" toward -Infinity), significantDigits,
     * plusSign, typographic, inexactMarker, trimTrailingZeros, hideZeroFeet (on by
     * default), hideZeroInches, separator, withSymbol, and for angle units angleStyle
     * ("plain", "bearing", "azimuth") under the host's angleZero ("east", "north",
     * "west", "south") and angleSense ("counterclockwise", "clockwise"). Every text
     * reads back. */
    format(value, options = {}) {
      const h = this._h();
      const record = formatRecord(options);
      const v = Number(value);
      return textOut((buffer, size, length, at) => {
        record.write(at);
        return c.format(h, v, at, buffer, size, length);
      }, record.bytes);
    }

    /** The display with fractions as the markup "#fraction(r,l,s,p,n,d)". Options as
     * display's (without withUnits), and representation, lineArrangement,
     * fractionParameter, inchMark, stacked, dashAfterFeet, extra. */
    displayArch(value, options = {}) {
      const h = this._h();
      const flags =
        (displayFlags(options) & ~WITH_UNITS) |
        (options.inchMark ? ARCH_INCH_MARK : 0) |
        (options.stacked ? ARCH_STACKED : 0) |
        (options.dashAfterFeet ? ARCH_DASH_AFTER_FEET : 0) |
        (options.extra ? ARCH_EXTRA : 0);
      const separator = separatorCode(options.separator ?? " ");
      const r = (options.representation ?? 0) | 0;
      const a = (options.lineArrangement ?? 0) | 0;
      const p = Number(options.fractionParameter ?? 1);
      const v = Number(value);
      return textOut((buffer, size, length) =>
        c.displayArch(h, v, flags, r, a, p, separator, buffer, size, length));
    }

    /** display() of every value of an array (a Float64Array is read where it lies), in
     * one call into the library. */
    displayMany(values, options = {}) {
      const h = this._h();
      const flags = displayFlags(options);
      const separator = separatorCode(options.separator ?? " ");
      const count = values.length;
      if (count === 0) return [];
      for (let capacity = 16 * count + 64; ; ) {
        // values, then count + 1 offsets, the length slot and the texts.
        const valuesBytes = 8 * count;
        const offsetsBytes = 4 * (count + 1);
        const base = room(valuesBytes + offsetsBytes + 8 + 2 * capacity);
        core.HEAPF64.set(values, base >> 3);
        const offsets = base + valuesBytes;
        const lengthSlot = offsets + offsetsBytes;
        const buffer = lengthSlot + 8;
        const status = c.displayMany(h, base, count, flags, separator, buffer, capacity, offsets, lengthSlot);
        const needed = core.HEAPU32[lengthSlot >> 2];
        if (status === BUFFER_TOO_SMALL) {
          capacity = needed + (needed >> 3);
          continue;
        }
        checkStatus(status);
        const all = stringAt(buffer, needed);
        const at = core.HEAP32.subarray(offsets >> 2, (offsets >> 2) + count + 1);
        const texts = new Array(count);
        for (let i = 0; i < count; ++i) texts[i] = all.substring(at[i], at[i + 1]);
        return texts;
      }
    }

    _read(text, angle = null) {
      const h = this._h();
      text = textOf(text, "text");
      const base = room(SLOTS + 2 * text.length + 2);
      putText(text, base + SLOTS);
      // Slots: the value (8 bytes), the error offset, the message pointer.
      const status =
        angle === null
          ? c.read(h, base + SLOTS, text.length, base, base + 8, base + 12)
          : c.readAngle(h, base + SLOTS, text.length, ...angle, base, base + 8, base + 12);
      if (status === NO_MEMORY) throw new RangeError("pelunits: out of memory");
      if (status !== OK && status !== INCOMPLETE && status !== INVALID) {
        throw new TypeError(`pelunits: ${message(status)}`);
      }
      return {
        status,
        value: core.HEAPF64[base >> 3],
        position: core.HEAPU32[(base + 8) >> 2],
        message: utf8(core.HEAPU32[(base + 12) >> 2]),
      };
    }

    /** The exact reader: the quantity in internal units when all of the text is one
     * (the double nearest to its exact value), else a ReadError. With angleStyle,
     * angleZero and angleSense, as format() takes them, an angle unit reads what format()
     * writes with them: bearings, and azimuths for "azimuth". */
    read(text, options = {}) {
      const { angleStyle, angleZero, angleSense } = options;
      const angled = angleStyle !== undefined || angleZero !== undefined || angleSense !== undefined;
      const r = this._read(text, angled ? angleReading(options) : null);
      if (r.status !== OK) throw new ReadError(text, r.position, r.status === INCOMPLETE, r.message);
      return r.value;
    }

    /** ReadStatus of the text: COMPLETE, INCOMPLETE or INVALID. */
    status(text) {
      return this._read(text).status;
    }

    /** read() of every text of an array, in one call into the library, as a
     * Float64Array. errors: "throw" (a ReadError naming the first item that does not
     * read) or "nan" (NaN for such items). */
    readMany(texts, { errors = "throw" } = {}) {
      if (errors !== "throw" && errors !== "nan") throw new TypeError('errors must be "throw" or "nan"');
      const h = this._h();
      const count = texts.length;
      let units = 0;
      for (let i = 0; i < count; ++i) units += textOf(texts[i], `item ${i}`).length;
      if (units > 0x7fffffff) throw new RangeError("the texts are too long for one call");
      const valuesBytes = 8 * count;
      const statusBytes = 4 * count;
      const offsetsBytes = 4 * (count + 1);
      const base = room(valuesBytes + statusBytes + offsetsBytes + 2 * units + 2);
      const statuses = base + valuesBytes;
      const offsets = statuses + statusBytes;
      const buffer = offsets + offsetsBytes;
      const heap = u16();
      const at = core.HEAP32;
      let unit = buffer >> 1;
      let offset = 0;
      for (let i = 0; i < count; ++i) {
        const text = texts[i];
        at[(offsets >> 2) + i] = offset;
        for (let k = 0; k < text.length; ++k) heap[unit++] = text.charCodeAt(k);
        offset += text.length;
      }
      at[(offsets >> 2) + count] = offset;
      const status = c.readMany(h, buffer, offsets, count, base, statuses, 0);
      if (status === NO_MEMORY) throw new RangeError("pelunits: out of memory");
      const values = new Float64Array(core.HEAPF64.buffer, base, count).slice();
      if (status !== OK) {
        const each = core.HEAP32.subarray(statuses >> 2, (statuses >> 2) + count);
        for (let i = 0; i < count; ++i) {
          if (each[i] === OK) continue;
          if (errors === "throw") {
            const r = this._read(texts[i]);
            if (r.status !== INCOMPLETE && r.status !== INVALID) throw new TypeError(`item ${i}: pelunits: ${message(each[i])}`);
            throw new ReadError(texts[i], r.position, r.status === INCOMPLETE, r.message, i);
          }
          values[i] = NaN;
        }
      }
      return values;
    }

    /** The unit's own reader for its quantity: what it cannot read reads as 0. */
    readAsTyped(text) {
      text = textOf(text, "text");
      const h = this._h();
      const base = room(2 * text.length + 2);
      putText(text, base);
      return c.readAsTyped(h, base, text.length);
    }

    /** The unit's own validator. */
    isValid(text) {
      text = textOf(text, "text");
      const h = this._h();
      const base = room(2 * text.length + 2);
      putText(text, base);
      return c.isValid(h, base, text.length) !== 0;
    }
  }
  if (typeof Symbol.dispose === "symbol") {
    Unit.prototype[Symbol.dispose] = Unit.prototype.free;
  }

  /** The unit names that `new Unit(name)` takes, in the order the tool lists them. */
  function units() {
    const names = [];
    for (let i = 0, n = c.namedCount(); i < n; ++i) names.push(utf8(c.namedName(i)));
    return names;
  }

  /** One line about each named unit, keyed by name. */
  function unitDescriptions() {
    const described = {};
    for (let i = 0, n = c.namedCount(); i < n; ++i) described[utf8(c.namedName(i))] = utf8(c.namedDescription(i));
    return described;
  }

  // pelunits_number_format on wasm32: six 4-byte fields.
  const NUMBER_FORMAT_SIZE = 24;
  function applyFormat(format) {
    if (format === null) {
      c.setNumberFormat(0);
      return;
    }
    const decimal = textOf(format.decimal, "decimal");
    const group = textOf(format.group ?? ",", "group");
    const grouping = format.grouping ?? 3;
    if (!Number.isInteger(grouping) || grouping < 0 || grouping > 9) throw new RangeError("grouping must be 0 to 9");
    const negativeForm = format.negativeForm ?? 1;
    if (!Number.isInteger(negativeForm)) throw new RangeError("negativeForm must be 0 to 4");
    const room8 = 3 * (decimal.length + group.length) + 2;
    const base = room(NUMBER_FORMAT_SIZE + room8);
    const decimalAt = base + NUMBER_FORMAT_SIZE;
    const decimalRoom = 3 * decimal.length + 1;
    const groupAt = decimalAt + decimalRoom;
    core.stringToUTF8(decimal, decimalAt, decimalRoom);
    core.stringToUTF8(group, groupAt, 3 * group.length + 1);
    const fields = core.HEAP32;
    const i = base >> 2;
    fields[i] = NUMBER_FORMAT_SIZE;
    fields[i + 1] = decimalAt;
    fields[i + 2] = groupAt;
    fields[i + 3] = grouping;
    fields[i + 4] = negativeForm;
    fields[i + 5] = format.leadingZero === false ? 0 : 1;
    const status = c.setNumberFormat(base);
    if (status !== OK) throw new RangeError(`invalid number format: ${message(status)}`);
  }

  const language =
    typeof navigator === "object" && navigator && navigator.language ? navigator.language : undefined;
  function systemFormat() {
    return regionalFormatOf(language);
  }

  /** Gives the number format of every regional display and reading: {decimal, group,
   * grouping, negativeForm (0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -"),
   * leadingZero}. null returns to the format Intl gives for the page's language. A
   * format the library refuses throws a RangeError and changes nothing. */
  function setRegionalFormat(format) {
    if (format !== null && format !== undefined) {
      applyFormat(format);
      return;
    }
    const own = systemFormat();
    try {
      applyFormat(own);
    } catch {
      applyFormat(null);
    }
  }
  setRegionalFormat(null);

  return {
    Unit,
    ReadError,
    ReadStatus,
    Quantity,
    codes,
    units,
    unitDescriptions,
    setRegionalFormat,
    regionalFormatOf,
    version: utf8(c.version()),
  };
}
