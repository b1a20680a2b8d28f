// Types of the pelunits package.

/** What a typed text is for a unit. */
export declare const ReadStatus: Readonly<{ COMPLETE: 0; INCOMPLETE: 1; INVALID: 2 }>;
export type ReadStatus = 0 | 1 | 2;

/** The quantity of a unit, and so the internal unit of its values. */
export declare const Quantity: Readonly<{
  LENGTH: 0; ANGLE: 1; WEIGHT: 2; FORCE: 3; MOMENT: 4; STRESS: 5;
}>;

/** Names for the factory's codes, as in the C header PelUnitsCodes.h. */
export declare const codes: Readonly<{
  LENGTH: 20;
  WEIGHT: 1009;
  IMPERIAL_WEIGHT: 1010;
  ANGLE: 2000;
  AREA: 3005;
  IMPERIAL_AREA: 3020;
  FORCE: 3101;
  FORCE_ALTERNATE: 3102;
  MOMENT: 3201;
  MOMENT_ALTERNATE: 3202;
  STRESS: 3300;
  STRESS_ALTERNATE: 3301;
  VOLUME: 5003;
  IMPERIAL_VOLUME: 5004;
  FOURTH_POWER: 5103;
  IMPERIAL_FOURTH_POWER: 5104;
  ANY_REPRESENTATION: 0;
  FRACTIONAL_INCH: 1;
  DECIMAL_INCH: 2;
  DECIMAL: 5;
  FRACTIONAL_DECIMAL: 5006;
  RADIANS: 2005;
  GON: 2007;
  DEGREES_MINUTES_SECONDS: 2008;
  AREA_DECIMAL: 3003;
  AREA_FRACTIONAL_DECIMAL: 3004;
  IMPERIAL_AREA_FRACTIONAL_INCH: 3001;
  IMPERIAL_AREA_DECIMAL_INCH: 3002;
  IMPERIAL_AREA_DECIMAL: 3005;
  VOLUME_DECIMAL: 4003;
  VOLUME_FRACTIONAL_DECIMAL: 4004;
  IMPERIAL_VOLUME_FRACTIONAL_INCH: 4001;
  IMPERIAL_VOLUME_DECIMAL_INCH: 4002;
  IMPERIAL_VOLUME_DECIMAL: 4005;
  FOURTH_POWER_DECIMAL: 5003;
  FOURTH_POWER_FRACTIONAL_DECIMAL: 5004;
  IMPERIAL_FOURTH_POWER_FRACTIONAL_INCH: 5001;
  IMPERIAL_FOURTH_POWER_DECIMAL_INCH: 5002;
  IMPERIAL_FOURTH_POWER_DECIMAL: 5005;
  OTHER_DECIMAL: 3;
  OTHER_FRACTIONAL_DECIMAL: 4;
  OTHER_DEGREES: 2006;
}>;

/** A text that the exact reader does not take as a whole quantity. */
export declare class ReadError extends Error {
  readonly text: string;
  /** Where reading stopped, in UTF-16 code units (a string index). */
  readonly position: number;
  /** True for the start of a quantity ("5' 6 1/"), false when nothing completes it. */
  readonly incomplete: boolean;
  /** The reason, short lowercase English. */
  readonly reason: string;
  /** The item of readMany's texts; undefined for read. */
  readonly index: number | undefined;
}

export interface UnitSettings {
  precision?: number;
  factor?: number;
  power?: number;
  regional?: boolean;
  symbol?: string;
}

export interface DisplayOptions {
  trimTrailingZeros?: boolean;
  trimLeadingZero?: boolean;
  hideZeroFeet?: boolean;
  hideZeroInches?: boolean;
  /** One character between feet and inches: " " (the default) or "-". */
  separator?: string;
  /** A blank and the symbol after the number. */
  withUnits?: boolean;
}

export interface ArchOptions extends Omit<DisplayOptions, "withUnits"> {
  representation?: number;
  lineArrangement?: number;
  fractionParameter?: number;
  inchMark?: boolean;
  stacked?: boolean;
  dashAfterFeet?: boolean;
  extra?: boolean;
}

export interface FormatOptions {
  /** The rounding step: a text the exact reader reads ("5 mm", "1/2\"") or a number in
   * the display unit. */
  increment?: string | number;
  /** "up" is toward +Infinity, "down" toward -Infinity. */
  rounding?: "nearest" | "up" | "down";
  /** 1 to 17, for the decimal forms. */
  significantDigits?: number;
  /** "+3.250", and "±0.000" for a value that shows as zero. */
  plusSign?: boolean;
  /** ′ ″, U+2212 and vulgar fractions. */
  typographic?: boolean;
  /** "~" in front when the text is not the value. */
  inexactMarker?: boolean;
  trimTrailingZeros?: boolean;
  /** On unless false. */
  hideZeroFeet?: boolean;
  hideZeroInches?: boolean;
  separator?: string;
  /** A blank and the symbol after the decimal forms' number. */
  withSymbol?: boolean;
  /** Angle units: "N 45°30' E" for "bearing", from north clockwise for "azimuth". */
  angleStyle?: "plain" | "bearing" | "azimuth";
  /** The host's convention: the direction of the internal 0 (east unless given)... */
  angleZero?: "east" | "north" | "west" | "south";
  /** ...and the sense in which internal angles grow (counterclockwise unless given). */
  angleSense?: "counterclockwise" | "clockwise";
}

export interface RegionalFormat {
  decimal: string;
  group?: string;
  grouping?: number;
  /** 0 "(1.1)", 1 "-1.1", 2 "- 1.1", 3 "1.1-", 4 "1.1 -" */
  negativeForm?: number;
  leadingZero?: boolean;
}

/** A display unit. Values are in internal units: millimetres (and their powers),
 * degrees, grams, kilonewtons, kilonewton-metres, newtons per square millimetre. */
export declare class Unit {
  /** By name (`units()` lists them) or by the factory codes [systemUnits, representation]. */
  constructor(nameOrCodes: string | [number, number], settings?: UnitSettings);
  readonly name: string | null;
  readonly codes: [number, number];
  readonly quantity: number;
  precision: number;
  factor: number;
  power: number;
  regional: boolean;
  symbol: string;
  readonly noDecimals: boolean;
  readonly isMetric: boolean;
  readonly isFractional: boolean;
  readonly isAngle: boolean;
  incrementPrecision(): boolean;
  display(value: number, options?: DisplayOptions): string;
  displayArch(value: number, options?: ArchOptions): string;
  /** The text with formatting options; every text reads back through read(). */
  format(value: number, options?: FormatOptions): string;
  displayMany(values: Float64Array | ArrayLike<number>, options?: DisplayOptions): string[];
  /** The double nearest to the text's exact value; throws ReadError otherwise. */
  read(text: string, options?: Pick<FormatOptions, "angleStyle" | "angleZero" | "angleSense">): number;
  readMany(texts: ArrayLike<string>, options?: { errors?: "throw" | "nan" }): Float64Array;
  status(text: string): ReadStatus;
  readAsTyped(text: string): number;
  isValid(text: string): boolean;
  clone(): Unit;
  free(): void;
  [Symbol.dispose](): void;
}

export declare function units(): string[];
export declare function unitDescriptions(): Record<string, string>;
/** null returns to the format Intl gives for the page's language. */
export declare function setRegionalFormat(format: RegionalFormat | null): void;
export declare function regionalFormatOf(language?: string): RegionalFormat | null;
export declare const version: string;
