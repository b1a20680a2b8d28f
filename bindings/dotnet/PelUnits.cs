// PelUnits: the PelUnitsTransform library for .NET, through its C interface.
// One file: compile it into your assembly and ship libPelUnitsTransform (.dll on
// Windows, .so on Linux) where the runtime finds native libraries.
//
// Values are in the host's internal units: millimetres (and their powers), degrees,
// grams, kilonewtons, kilonewton-metres and newtons per square millimetre. A Unit is
// used by one thread at a time; units may be made on any thread.
using System;
using System.Runtime.InteropServices;

namespace PelUnits
{
    public enum ReadStatus { Complete = 0, Incomplete = 1, Invalid = 2 }

    public enum Quantity { Length = 0, Angle = 1, Weight = 2, Force = 3, Moment = 4, Stress = 5 }

    #region Codes
    // Names for the factory's codes, as in the C header PelUnitsCodes.h: the quantity
    // codes and the representation codes that new Unit(quantity, representation) takes.
    public static class Codes
    {
        public const int Length = 20;
        public const int Weight = 1009;
        public const int ImperialWeight = 1010;
        public const int Angle = 2000;
        public const int Area = 3005;
        public const int ImperialArea = 3020;
        public const int Force = 3101;
        public const int ForceAlternate = 3102;
        public const int Moment = 3201;
        public const int MomentAlternate = 3202;
        public const int Stress = 3300;
        public const int StressAlternate = 3301;
        public const int Volume = 5003;
        public const int ImperialVolume = 5004;
        public const int FourthPower = 5103;
        public const int ImperialFourthPower = 5104;

        public const int AnyRepresentation = 0;
        public const int FractionalInch = 1;
        public const int DecimalInch = 2;
        public const int Decimal = 5;
        public const int FractionalDecimal = 5006;
        public const int Radians = 2005;
        public const int Gon = 2007;
        public const int DegreesMinutesSeconds = 2008;
        public const int AreaDecimal = 3003;
        public const int AreaFractionalDecimal = 3004;
        public const int ImperialAreaFractionalInch = 3001;
        public const int ImperialAreaDecimalInch = 3002;
        public const int ImperialAreaDecimal = 3005;
        public const int VolumeDecimal = 4003;
        public const int VolumeFractionalDecimal = 4004;
        public const int ImperialVolumeFractionalInch = 4001;
        public const int ImperialVolumeDecimalInch = 4002;
        public const int ImperialVolumeDecimal = 4005;
        public const int FourthPowerDecimal = 5003;
        public const int FourthPowerFractionalDecimal = 5004;
        public const int ImperialFourthPowerFractionalInch = 5001;
        public const int ImperialFourthPowerDecimalInch = 5002;
        public const int ImperialFourthPowerDecimal = 5005;
        public const int OtherDecimal = 3;
        public const int OtherFractionalDecimal = 4;
        public const int OtherDegrees = 2006;
    }
    #endregion

    [Flags]
    public enum DisplayOptions : uint
    {
        None = 0,
        TrimTrailingZeros = 0x01,
        TrimLeadingZero = 0x02,
        HideZeroFeet = 0x04,
        HideZeroInches = 0x08,
        // The display, a blank and the symbol; of the other options only
        // TrimTrailingZeros applies then.
        WithUnits = 0x10,
    }

    // A text that the exact reader does not take as a whole quantity.
    public sealed class ReadException : FormatException
    {
        public string Text { get; private set; }
        // Where reading stopped, in UTF-16 code units (string indices).
        public int Position { get; private set; }
        // True when the text is the start of a quantity ("5' 6 1/").
        public bool Incomplete { get; private set; }

        // The item of ReadMany's texts; -1 for Read.
        public int Index { get; private set; }

        public ReadException(string text, int position, bool incomplete, string message, int index = -1)
            : base((index >= 0 ? "item " + index + ": " : "") + message + " at position " + position +
                   " of \"" + text + "\"")
        {
            Text = text;
            Position = position;
            Incomplete = incomplete;
            Index = index;
        }
    }

    internal sealed class UnitHandle : SafeHandle
    {
        public UnitHandle() : base(IntPtr.Zero, true) { }
        public override bool IsInvalid { get { return handle == IntPtr.Zero; } }
        protected override bool ReleaseHandle()
        {
            Native.pelunits_unit_free(handle);
            return true;
        }
    }

    internal static class Native
    {
        // "libPelUnitsTransform.dll" on Windows, "libPelUnitsTransform.so" elsewhere.
        private const string Library = "libPelUnitsTransform";
        internal const int Ok = 0, Incomplete = 1, Invalid = 2, BufferTooSmall = 3, BadArgument = 4,
                           NoMemory = 5;

        [DllImport(Library)] internal static extern IntPtr pelunits_version();
        [DllImport(Library)] internal static extern IntPtr pelunits_status_message(int status);
        [DllImport(Library)] internal static extern UnitHandle pelunits_unit_new(int systemUnits, int representation);
        [DllImport(Library)] internal static extern UnitHandle pelunits_unit_from_name(byte[] name);
        [DllImport(Library)] internal static extern UnitHandle pelunits_unit_clone(UnitHandle unit);
        [DllImport(Library)] internal static extern void pelunits_unit_free(IntPtr unit);
        [DllImport(Library)] internal static extern UIntPtr pelunits_named_unit_count();
        [DllImport(Library)] internal static extern IntPtr pelunits_named_unit_name(UIntPtr index);
        [DllImport(Library)] internal static extern int pelunits_unit_system_units(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_representation(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_quantity(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_set_precision(UnitHandle unit, int precision);
        [DllImport(Library)] internal static extern int pelunits_unit_get_precision(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_set_factor(UnitHandle unit, double factor);
        [DllImport(Library)] internal static extern double pelunits_unit_get_factor(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_set_power(UnitHandle unit, int power);
        [DllImport(Library)] internal static extern int pelunits_unit_get_power(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_set_regional(UnitHandle unit, int regional);
        [DllImport(Library)] internal static extern int pelunits_unit_get_regional(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_increment_precision(UnitHandle unit);
        [DllImport(Library)] internal static extern int pelunits_unit_get_no_decimals(UnitHandle unit);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_unit_set_symbol_utf16(UnitHandle unit, string symbol);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_unit_get_symbol_utf16(UnitHandle unit, [Out] char[] buffer,
            UIntPtr size, out UIntPtr length);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_display_utf16(UnitHandle unit, double value, uint flags,
            uint separator, [Out] char[] buffer, UIntPtr size, out UIntPtr length);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_read_utf16_ex(UnitHandle unit, string text, UIntPtr length,
            out double value, out UIntPtr errorOffset, out IntPtr message);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern double pelunits_read_as_typed_utf16_ex(UnitHandle unit, string text,
            UIntPtr length);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_is_valid_utf16_ex(UnitHandle unit, string text, UIntPtr length);

        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_display_many_utf16(UnitHandle unit, ref double values,
            UIntPtr count, uint flags, uint separator, [Out] char[] buffer, UIntPtr size,
            [Out] int[] offsets, out UIntPtr length);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_read_many_utf16(UnitHandle unit, string buffer,
            int[] offsets, UIntPtr count, [Out] double[] values, [Out] int[] statuses,
            [Out] UIntPtr[] positions);

        [StructLayout(LayoutKind.Sequential)]
        internal struct NumberFormat
        {
            public UIntPtr StructSize;
            public IntPtr DecimalSeparator;  // UTF-8, NUL-terminated
            public IntPtr GroupSeparator;
            public uint Grouping;
            public int NegativeForm;
            public int LeadingZero;
        }

        [DllImport(Library)] internal static extern int pelunits_set_number_format(ref NumberFormat format);
        [DllImport(Library, EntryPoint = "pelunits_set_number_format")]
        internal static extern int pelunits_reset_number_format(IntPtr none);

        internal static string Message(int status)
        {
            return Marshal.PtrToStringAnsi(pelunits_status_message(status));
        }
    }

    public sealed partial class Unit : IDisposable
    {
        private readonly UnitHandle handle;

        private Unit(UnitHandle made, string what)
        {
            if (made == null || made.IsInvalid) throw new ArgumentException(what);
            handle = made;
        }

        // A unit by the names that Unit.Names lists ("feet-inch-fraction", "metres", ...).
        public Unit(string name)
            : this(Native.pelunits_unit_from_name(Utf8Z(name)), "unknown unit '" + name + "'") { }

        // A unit by the factory codes (Codes.Length, Codes.FractionalInch, ...).
        public Unit(int systemUnits, int representation)
            : this(Native.pelunits_unit_new(systemUnits, representation),
                   "no unit for codes " + systemUnits + "/" + representation) { }

        public static string LibraryVersion
        {
            get { return Marshal.PtrToStringAnsi(Native.pelunits_version()); }
        }

        public static string[] Names
        {
            get
            {
                var names = new string[(int)Native.pelunits_named_unit_count()];
                for (int i = 0; i < names.Length; ++i)
                    names[i] = Marshal.PtrToStringAnsi(Native.pelunits_named_unit_name((UIntPtr)i));
                return names;
            }
        }

        public void Dispose() { handle.Dispose(); }

        public Unit Clone() { return new Unit(Native.pelunits_unit_clone(Live), "no memory"); }

        private UnitHandle Live
        {
            get
            {
                if (handle.IsClosed) throw new ObjectDisposedException("PelUnits.Unit");
                return handle;
            }
        }

        public int SystemUnits { get { return Native.pelunits_unit_system_units(Live); } }
        public int Representation { get { return Native.pelunits_unit_representation(Live); } }
        public Quantity Quantity { get { return (Quantity)Native.pelunits_unit_quantity(Live); } }

        // In the unit's own form: 100 for two decimals, 16 for sixteenths, 3600 for seconds.
        public int Precision
        {
            get { return Native.pelunits_unit_get_precision(Live); }
            set { Native.pelunits_unit_set_precision(Live, value); }
        }
        public double Factor
        {
            get { return Native.pelunits_unit_get_factor(Live); }
            set { Native.pelunits_unit_set_factor(Live, value); }
        }
        public int Power
        {
            get { return Native.pelunits_unit_get_power(Live); }
            set { Native.pelunits_unit_set_power(Live, value); }
        }
        public bool Regional
        {
            get { return Native.pelunits_unit_get_regional(Live) != 0; }
            set { Native.pelunits_unit_set_regional(Live, value ? 1 : 0); }
        }
        public bool NoDecimals { get { return Native.pelunits_unit_get_no_decimals(Live) != 0; } }
        public bool IncrementPrecision() { return Native.pelunits_unit_increment_precision(Live) != 0; }

        public string Symbol
        {
            get
            {
                UnitHandle h = Live;
                return TextOut((char[] b, out UIntPtr n) =>
                    Native.pelunits_unit_get_symbol_utf16(h, b, (UIntPtr)(b == null ? 0 : b.Length), out n));
            }
            set
            {
                if (value == null || value.IndexOf('\0') >= 0) throw new ArgumentException("symbol");
                Check(Native.pelunits_unit_set_symbol_utf16(Live, value));
            }
        }

        // The display text of an internal value; the separator goes between feet and inches.
        public string Display(double value, DisplayOptions options = DisplayOptions.None, char separator = ' ')
        {
            UnitHandle h = Live;
            return TextOut((char[] b, out UIntPtr n) => Native.pelunits_display_utf16(
                h, value, (uint)options, separator, b, (UIntPtr)(b == null ? 0 : b.Length), out n));
        }

        // Display of every value in one call into the library; the values are read where
        // they lie.
        public string[] DisplayMany(ReadOnlySpan<double> values,
                                    DisplayOptions options = DisplayOptions.None, char separator = ' ')
        {
            UnitHandle h = Live;
            var texts = new string[values.Length];
            if (values.Length == 0) return texts;
            var offsets = new int[values.Length + 1];
            char[] buffer = new char[values.Length * 16];
            UIntPtr length;
            ref double first = ref MemoryMarshal.GetReference(values);
            var count = (UIntPtr)values.Length;
            int status = Native.pelunits_display_many_utf16(h, ref first, count, (uint)options, separator,
                                                            buffer, (UIntPtr)buffer.Length, offsets, out length);
            if (status == Native.BufferTooSmall)
            {
                buffer = new char[(int)length];
                status = Native.pelunits_display_many_utf16(h, ref first, count, (uint)options, separator,
                                                            buffer, (UIntPtr)buffer.Length, offsets, out length);
            }
            Check(status);
            for (int i = 0; i < texts.Length; ++i)
                texts[i] = new string(buffer, offsets[i], offsets[i + 1] - offsets[i]);
            return texts;
        }

        // Read of every text in one call into the library: ReadException (with the
        // item's Index) for the first text that is not a whole quantity.
        public double[] ReadMany(string[] texts)
        {
            var statuses = new int[texts == null ? 0 : texts.Length];
            var positions = new UIntPtr[statuses.Length];
            double[] values = ReadManyRaw(texts, statuses, positions);
            for (int i = 0; i < statuses.Length; ++i)
            {
                if (statuses[i] == Native.Ok) continue;
                double ignored;
                int position;
                string message;
                int status = ReadRaw(texts[i], out ignored, out position, out message);
                throw new ReadException(texts[i], position, status == Native.Incomplete, message, i);
            }
            return values;
        }

        // The same without exceptions: each text's status (a malformed one counts as
        // Invalid), and NaN as the value of a text that is not complete.
        public double[] ReadMany(string[] texts, ReadStatus[] statuses)
        {
            if (statuses == null || texts == null || statuses.Length != texts.Length)
                throw new ArgumentException("statuses must have one entry per text");
            var raw = new int[texts.Length];
            double[] values = ReadManyRaw(texts, raw, null);
            for (int i = 0; i < raw.Length; ++i)
            {
                statuses[i] = raw[i] == Native.Ok || raw[i] == Native.Incomplete ? (ReadStatus)raw[i]
                                                                                  : ReadStatus.Invalid;
                if (raw[i] != Native.Ok) values[i] = double.NaN;
            }
            return values;
        }

        private double[] ReadManyRaw(string[] texts, int[] statuses, UIntPtr[] positions)
        {
            if (texts == null) throw new ArgumentNullException("texts");
            var offsets = new int[texts.Length + 1];
            for (int i = 0; i < texts.Length; ++i)
            {
                if (texts[i] == null) throw new ArgumentNullException("texts[" + i + "]");
                offsets[i + 1] = checked(offsets[i] + texts[i].Length);
            }
            var values = new double[texts.Length];
            int status = Native.pelunits_read_many_utf16(Live, string.Concat(texts), offsets,
                                                         (UIntPtr)texts.Length, values, statuses, positions);
            if (status == Native.NoMemory) throw new OutOfMemoryException();
            if (status == Native.BadArgument && Array.IndexOf(statuses, Native.BadArgument) < 0)
                Check(status);
            return values;
        }

        // The exact reader: the quantity when all of the text is one, else ReadException;
        // the double nearest to the text's exact value.
        public double Read(string text)
        {
            return Complete(text, ReadRaw(text, out double value, out int position, out string message),
                            value, position, message);
        }

        // The same for the texts Format writes with an angle style under a convention:
        // bearings, and plain angles as azimuths with AngleStyle.Azimuth, both as internal
        // angles 0 up to 360 degrees. Units of other quantities read as Read(text) reads.
        public double Read(string text, AngleStyle style, AngleZero zero, AngleSense sense)
        {
            UnitHandle h = Live;
            int status = ReadWith(text, (string t, out double v, out UIntPtr o, out IntPtr r) =>
                FormatNative.pelunits_read_angle_utf16(h, t, (UIntPtr)t.Length, (int)style, (int)zero,
                                                       (int)sense, out v, out o, out r),
                out double value, out int position, out string message);
            return Complete(text, status, value, position, message);
        }

        private static double Complete(string text, int status, double value, int position, string message)
        {
            if (status != Native.Ok)
                throw new ReadException(text, position, status == Native.Incomplete, message);
            return value;
        }

        public ReadStatus Status(string text)
        {
            double value;
            int position;
            string message;
            return (ReadStatus)ReadRaw(text, out value, out position, out message);
        }

        // The unit's own reader for its quantity: what it cannot read reads as 0.
        public double ReadAsTyped(string text)
        {
            if (text == null) throw new ArgumentNullException("text");
            return Native.pelunits_read_as_typed_utf16_ex(Live, text, (UIntPtr)text.Length);
        }

        // The unit's own validator.
        public bool IsValid(string text)
        {
            if (text == null) throw new ArgumentNullException("text");
            return Native.pelunits_is_valid_utf16_ex(Live, text, (UIntPtr)text.Length) != 0;
        }

        private delegate int ReadCall(string text, out double value, out UIntPtr offset, out IntPtr reason);

        private int ReadRaw(string text, out double value, out int position, out string message)
        {
            UnitHandle h = Live;
            return ReadWith(text, (string t, out double v, out UIntPtr o, out IntPtr r) =>
                Native.pelunits_read_utf16_ex(h, t, (UIntPtr)t.Length, out v, out o, out r),
                out value, out position, out message);
        }

        // A reading through `call`: its status, with the library's refusals thrown.
        private static int ReadWith(string text, ReadCall call, out double value, out int position,
                                    out string message)
        {
            if (text == null) throw new ArgumentNullException("text");
            UIntPtr offset;
            IntPtr reason;
            int status = call(text, out value, out offset, out reason);
            if (status != Native.Ok && status != Native.Incomplete && status != Native.Invalid)
                Check(status);
            position = (int)offset;
            message = Marshal.PtrToStringAnsi(reason);
            return status;
        }

        private delegate int TextCall(char[] buffer, out UIntPtr length);

        // One call into a buffer of 64 code units, a second one when it asked for more.
        private static string TextOut(TextCall call)
        {
            char[] buffer = new char[64];
            UIntPtr length;
            int status = call(buffer, out length);
            if (status == Native.BufferTooSmall)
            {
                buffer = new char[(int)length + 1];
                status = call(buffer, out length);
            }
            Check(status);
            return new string(buffer, 0, (int)length);
        }

        internal static void Check(int status)
        {
            if (status == Native.NoMemory) throw new OutOfMemoryException();
            if (status != Native.Ok) throw new ArgumentException(Native.Message(status));
        }

        private static byte[] Utf8Z(string text)
        {
            if (text == null) throw new ArgumentNullException("name");
            byte[] bytes = System.Text.Encoding.UTF8.GetBytes(text);
            Array.Resize(ref bytes, bytes.Length + 1);
            return bytes;
        }
    }
    // Formatting with options, over pelunits_format: the display rounded to a step, with
    // significant digits, level signs, typographic marks and an inexact marker. Every text
    // reads back through Unit.Read.
    public enum Rounding { Nearest = 0, Up = 1, Down = 2 }  // Up toward +infinity, Down toward -infinity

    // How an angle unit writes and reads a direction, as in the C header: Bearing
    // "N 45\u00b030' E", Azimuth from north, clockwise, 0 up to a turn.
    public enum AngleStyle { Plain = 0, Bearing = 1, Azimuth = 2 }
    // The host's convention: the direction of the internal angle 0 and the sense in which
    // internal angles grow; east and counterclockwise by default, so 90 degrees is north.
    public enum AngleZero { East = 0, North = 1, West = 2, South = 3 }
    public enum AngleSense { Counterclockwise = 0, Clockwise = 1 }

    // The options; the defaults leave the unit's own form.
    public sealed class FormatOptions
    {
        // The step as text the exact reader reads ("5 mm", "1/2\""); null or "" for none.
        public string Increment { get; set; }
        // The step in the display unit when Increment gives none; 0 for none.
        public double IncrementValue { get; set; }
        public Rounding Rounding { get; set; }
        // 1 to 17 for the decimal forms; 0 for none.
        public int SignificantDigits { get; set; }
        public bool PlusSign { get; set; }          // "+3.250", U+00B1 before a zero
        public bool Typographic { get; set; }       // prime marks, U+2212, vulgar fractions
        public bool InexactMarker { get; set; }     // '~' when the text is not the value
        public bool TrimTrailingZeros { get; set; }
        public bool HideZeroFeet { get; set; }
        public bool HideZeroInches { get; set; }
        public bool WithSymbol { get; set; }        // the symbol after the decimal forms' number
        public char Separator { get; set; }         // between feet and inches
        // For angle units; Unit.Read with the same three reads the text back.
        public AngleStyle AngleStyle { get; set; }
        public AngleZero AngleZero { get; set; }
        public AngleSense AngleSense { get; set; }

        public FormatOptions()
        {
            HideZeroFeet = true;
            Separator = ' ';
        }
    }

    public sealed partial class Unit
    {
        // The formatted text of an internal value; null options are the defaults.
        public string Format(double value, FormatOptions options = null)
        {
            UnitHandle h = Live;
            using (var record = new FormatRecord(options))
            {
                FormatNative.Options raw = record.Raw;
                return TextOut((char[] b, out UIntPtr n) => FormatNative.pelunits_format_utf16(
                    h, value, ref raw, b, (UIntPtr)(b == null ? 0 : b.Length), out n));
            }
        }

        // Format of every value in one call into the library, with the same options.
        public string[] FormatMany(ReadOnlySpan<double> values, FormatOptions options = null)
        {
            UnitHandle h = Live;
            var texts = new string[values.Length];
            if (values.Length == 0) return texts;
            using (var record = new FormatRecord(options))
            {
                FormatNative.Options raw = record.Raw;
                var offsets = new int[values.Length + 1];
                char[] buffer = new char[values.Length * 16];
                UIntPtr length;
                ref double first = ref MemoryMarshal.GetReference(values);
                var count = (UIntPtr)values.Length;
                int status = FormatNative.pelunits_format_many_utf16(h, ref first, count, ref raw, buffer,
                                                                     (UIntPtr)buffer.Length, offsets, out length);
                if (status == Native.BufferTooSmall)
                {
                    buffer = new char[(int)length];
                    status = FormatNative.pelunits_format_many_utf16(h, ref first, count, ref raw, buffer,
                                                                     (UIntPtr)buffer.Length, offsets, out length);
                }
                Check(status);
                for (int i = 0; i < texts.Length; ++i)
                    texts[i] = new string(buffer, offsets[i], offsets[i + 1] - offsets[i]);
            }
            return texts;
        }

        // The C record of the options, its increment pinned as NUL-terminated UTF-8 for as
        // long as the record lives.
        private sealed class FormatRecord : IDisposable
        {
            private GCHandle pin;
            public FormatNative.Options Raw;

            public FormatRecord(FormatOptions options)
            {
                FormatNative.pelunits_format_options_init_size(out Raw, FormatNative.OptionsSize);
                if (options == null) return;
                if (!string.IsNullOrEmpty(options.Increment))
                {
                    if (options.Increment.IndexOf('\0') >= 0) throw new ArgumentException("increment holds NUL");
                    byte[] bytes;
                    try { bytes = new System.Text.UTF8Encoding(false, true).GetBytes(options.Increment); }
                    catch (System.Text.EncoderFallbackException) { throw new ArgumentException("increment"); }
                    Array.Resize(ref bytes, bytes.Length + 1);
                    pin = GCHandle.Alloc(bytes, GCHandleType.Pinned);
                    Raw.Increment = pin.AddrOfPinnedObject();
                }
                Raw.IncrementValue = options.IncrementValue;
                Raw.Rounding = (int)options.Rounding;
                Raw.SignificantDigits = options.SignificantDigits;
                uint flags = 0;
                if (options.TrimTrailingZeros) flags |= (uint)DisplayOptions.TrimTrailingZeros;
                if (options.HideZeroFeet) flags |= (uint)DisplayOptions.HideZeroFeet;
                if (options.HideZeroInches) flags |= (uint)DisplayOptions.HideZeroInches;
                if (options.WithSymbol) flags |= (uint)DisplayOptions.WithUnits;
                if (options.PlusSign) flags |= FormatNative.PlusSign;
                if (options.Typographic) flags |= FormatNative.Typographic;
                if (options.InexactMarker) flags |= FormatNative.InexactMarker;
                Raw.Flags = flags;
                Raw.Separator = options.Separator;
                Raw.AngleStyle = (int)options.AngleStyle;
                Raw.AngleZero = (int)options.AngleZero;
                Raw.AngleSense = (int)options.AngleSense;
            }

            public void Dispose()
            {
                if (pin.IsAllocated) pin.Free();
            }
        }
    }

    internal static class FormatNative
    {
        private const string Library = "libPelUnitsTransform";
        internal const uint PlusSign = 0x400, Typographic = 0x800, InexactMarker = 0x1000;

        // pelunits_format_options, the whole record: pelunits_format_options_init_size with
        // this size sets every field, struct_size included.
        [StructLayout(LayoutKind.Sequential)]
        internal struct Options
        {
            public UIntPtr StructSize;
            public IntPtr Increment;  // UTF-8, NUL-terminated; zero for none
            public double IncrementValue;
            public int Rounding;
            public int SignificantDigits;
            public uint Flags;
            public uint Separator;
            public int AngleStyle;
            public int AngleZero;
            public int AngleSense;
        }
        internal static readonly UIntPtr OptionsSize = (UIntPtr)Marshal.SizeOf(typeof(Options));

        [DllImport(Library)]
        internal static extern void pelunits_format_options_init_size(out Options options, UIntPtr size);
        // The same into raw memory, where a size past the record shows the library's own.
        [DllImport(Library, EntryPoint = "pelunits_format_options_init_size")]
        internal static extern void pelunits_format_options_init_bytes(IntPtr options, UIntPtr size);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_read_angle_utf16(UnitHandle unit, string text, UIntPtr length,
            int angleStyle, int angleZero, int angleSense, out double value, out UIntPtr errorOffset,
            out IntPtr message);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_format_utf16(UnitHandle unit, double value, ref Options options,
            [Out] char[] buffer, UIntPtr size, out UIntPtr length);
        [DllImport(Library, CharSet = CharSet.Unicode)]
        internal static extern int pelunits_format_many_utf16(UnitHandle unit, ref double values, UIntPtr count,
            ref Options options, [Out] char[] buffer, UIntPtr size, [Out] int[] offsets, out UIntPtr length);
    }

    // The number format of every regional display and reading, given by the host for
    // the whole process (from any thread), above the chosen locale and the system's.
    public static class RegionalFormat
    {
        // The decimal separator (1 to 3 characters), the group separator (0 to 3; ""
        // for none), digits per group (0 to 9), the negative form (0 "(1.1)", 1 "-1.1",
        // 2 "- 1.1", 3 "1.1-", 4 "1.1 -") and the leading zero of "0.5". Throws
        // ArgumentException for a format the library refuses; it then changes nothing.
        public static void Set(string decimalSeparator, string groupSeparator, int grouping = 3,
                               int negativeForm = 1, bool leadingZero = true)
        {
            if (grouping < 0) throw new ArgumentException("grouping");
            byte[] decimalBytes = Separator(decimalSeparator);
            byte[] groupBytes = Separator(groupSeparator);
            GCHandle decimalPin = GCHandle.Alloc(decimalBytes, GCHandleType.Pinned);
            GCHandle groupPin = GCHandle.Alloc(groupBytes, GCHandleType.Pinned);
            try
            {
                var format = new Native.NumberFormat
                {
                    StructSize = (UIntPtr)Marshal.SizeOf(typeof(Native.NumberFormat)),
                    DecimalSeparator = decimalPin.AddrOfPinnedObject(),
                    GroupSeparator = groupPin.AddrOfPinnedObject(),
                    Grouping = (uint)grouping,
                    NegativeForm = negativeForm,
                    LeadingZero = leadingZero ? 1 : 0,
                };
                Unit.Check(Native.pelunits_set_number_format(ref format));
            }
            finally
            {
                decimalPin.Free();
                groupPin.Free();
            }
        }

        // Returns to the system's format.
        public static void Reset() { Native.pelunits_reset_number_format(IntPtr.Zero); }

        // NUL-terminated UTF-8; a lone surrogate or a NUL is refused, never replaced.
        private static byte[] Separator(string text)
        {
            if (text == null) throw new ArgumentNullException("separator");
            if (text.IndexOf('\0') >= 0) throw new ArgumentException("separator holds NUL");
            byte[] bytes;
            try { bytes = new System.Text.UTF8Encoding(false, true).GetBytes(text); }
            catch (System.Text.EncoderFallbackException) { throw new ArgumentException("separator"); }
            Array.Resize(ref bytes, bytes.Length + 1);
            return bytes;
        }
    }
}
