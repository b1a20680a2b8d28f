// The .NET binding against the library it loads; exit code 0 when every check holds.
using System;
using PelUnits;

static class PelUnitsTest
{
    static int failures;

    static void Expect(bool condition, string what)
    {
        if (condition) return;
        ++failures;
        Console.Error.WriteLine("FAILED: " + what);
    }

    static void Equal<T>(T actual, T expected, string what)
    {
        Expect(Equals(actual, expected), what + ": got <" + actual + ">, expected <" + expected + ">");
    }

    struct DisplayCase
    {
        public string Unit; public double Value; public DisplayOptions Options; public char Separator; public string Shows;
        public DisplayCase(string unit, double value, DisplayOptions options, char separator, string shows)
        {
            Unit = unit; Value = value; Options = options; Separator = separator; Shows = shows;
        }
    }

    static void Displays()
    {
        var cases = new[] {
            new DisplayCase("feet-inch-fraction", 1689.1, DisplayOptions.None, ' ', "5' 6 1/2\""),
            new DisplayCase("feet-inch-fraction", 1689.1, DisplayOptions.None, '-', "5'-6 1/2\""),
            new DisplayCase("feet-inch-fraction", -88.9, DisplayOptions.HideZeroFeet, '-', "-3 1/2\""),
            new DisplayCase("metres", 1500, DisplayOptions.TrimTrailingZeros | DisplayOptions.WithUnits, ' ', "1.5 m"),
            new DisplayCase("square-metres", 1e6, DisplayOptions.WithUnits, ' ', "1.00 m\u00b2"),
            new DisplayCase("degrees-minutes-seconds", 10.504166666666666, DisplayOptions.None, ' ', "10\u00b030'15\""),
            new DisplayCase("pounds-ounces", 1000, DisplayOptions.None, ' ', "2 lb 3.27 oz"),
        };
        foreach (var c in cases)
            using (var unit = new Unit(c.Unit))
                Equal(unit.Display(c.Value, c.Options, c.Separator), c.Shows, c.Unit + " " + c.Value);

        using (var unit = new Unit("millimetres"))
        {
            unit.Precision = 1000000000;  // longer than the first buffer
            Expect(unit.Display(1e300).Length > 300, "long display");
            unit.Symbol = "\U0001D45A";
            Equal(unit.Symbol, "\U0001D45A", "symbol beyond the 16-bit plane");
        }
    }

    static void CodesAndSettings()
    {
        using (var byCodes = new Unit(20, 1))
        using (var byName = new Unit("feet-inch-fraction"))
        {
            byCodes.Precision = 16;
            Equal(byCodes.Display(1689.1), byName.Display(1689.1), "codes and name");
            Equal(byCodes.Representation, 1, "representation");
            Equal(byCodes.Quantity, Quantity.Length, "quantity");
        }
        using (var unit = new Unit(20, 999))
            Equal(unit.Representation, 2, "the factory's fallback, written back");
        using (var unit = new Unit("metres"))
        {
            Equal(unit.Factor, 1000.0, "factor");
            unit.Precision = 1;
            Expect(unit.NoDecimals, "no decimals");
            Expect(unit.IncrementPrecision(), "increment");
            using (var copy = unit.Clone())
            {
                unit.Power = 2;
                Equal(copy.Power, 1, "clone is independent");
                Equal(copy.Precision, 10, "clone precision");
            }
        }
        Expect(Array.IndexOf(Unit.Names, "feet-inch-fraction") >= 0, "names");
        Expect(System.Text.RegularExpressions.Regex.IsMatch(Unit.LibraryVersion, @"^\d+\.\d+\.\d+$"), "version");
    }

    // Codes.ImperialAreaDecimal must be the header's PELUNITS_CODE_IMPERIAL_AREA_DECIMAL, and
    // every code of the header must have its name here.
    static void CodesAreThoseOfTheCHeader()
    {
        var header = System.IO.File.ReadAllText(Environment.GetEnvironmentVariable("PELUNITS_CODES_HEADER"));
        var defined = new System.Collections.Generic.Dictionary<string, int>();
        foreach (System.Text.RegularExpressions.Match m in
                 System.Text.RegularExpressions.Regex.Matches(header, @"#define PELUNITS_CODE_(\w+) (\d+)"))
            defined[m.Groups[1].Value] = int.Parse(m.Groups[2].Value);
        var fields = typeof(Codes).GetFields();
        Equal(fields.Length, defined.Count, "as many codes as the header");
        foreach (var field in fields)
        {
            var name = System.Text.RegularExpressions.Regex.Replace(field.Name, "(?<=.)([A-Z])", "_$1").ToUpperInvariant();
            int number;
            Expect(defined.TryGetValue(name, out number), field.Name + " is in the header");
            Equal((int)field.GetValue(null), number, field.Name);
        }
    }

    static void TypedReadersAndValidators()
    {
        using (var unit = new Unit("feet-inch-fraction"))
        {
            Expect(Math.Abs(unit.ReadAsTyped("5' 7 1/4\"") - 1708.15) < 1e-9, "read as typed");
            Expect(unit.IsValid("5' 7 1/4\""), "valid");
            Expect(!unit.IsValid("6-1/2\""), "invalid");
        }
        using (var unit = new Unit("degrees-minutes-seconds"))
            Expect(Math.Abs(unit.ReadAsTyped("10d30'15\"") - 10.504166666666666) < 1e-12, "degrees");
    }

    static void Errors()
    {
        bool threw = false;
        try { new Unit("furlongs"); } catch (ArgumentException) { threw = true; }
        Expect(threw, "unknown name");
        var unit = new Unit("metres");
        threw = false;
        try { unit.Read("\ud800"); } catch (ArgumentException) { threw = true; }
        Expect(threw, "lone surrogate");
        unit.Dispose();
        unit.Dispose();
        threw = false;
        try { unit.Display(1.0); } catch (ObjectDisposedException) { threw = true; }
        Expect(threw, "use after dispose");
    }

    static void ExactReader()
    {
        using (var probe = new Unit("metres"))
        {
            try { probe.Read("1"); }
            catch (ReadException e)
            {
                if (e.Message.StartsWith("not implemented"))
                {
                    Console.WriteLine("exact reader not implemented: its checks skipped");
                    return;
                }
            }
        }
        using (var unit = new Unit("feet-inch-fraction"))
        {
            Expect(Math.Abs(unit.Read("5' 7 1/4\"") - 1708.15) < 1e-9, "read");
            Equal(unit.Status("5' 6 1/"), ReadStatus.Incomplete, "incomplete");
            try
            {
                unit.Read("5' x\"");
                Expect(false, "5' x\" read");
            }
            catch (ReadException e)
            {
                Equal(e.Position, 3, "position");
                Expect(!e.Incomplete, "invalid, not incomplete");
            }
        }
    }

    static void HostRegionalFormat()
    {
        using (var unit = new Unit("metres"))
        {
            unit.Regional = true;
            try
            {
                RegionalFormat.Set(",", ".", 3, 3);
                Equal(unit.Display(-1234567), "1.234,567-", "host format, negative form 3");
                RegionalFormat.Set("\u066b", "\u066c");
                Equal(unit.Display(1234567), "1\u066c234\u066b567", "host format, Arabic separators");
                foreach (var bad in new[] { "", "0", "\ud800", "a\0" })
                {
                    bool threw = false;
                    try { RegionalFormat.Set(bad, ","); } catch (ArgumentException) { threw = true; }
                    Expect(threw, "refused separator " + bad.Length);
                }
                Equal(unit.Display(1234567), "1\u066c234\u066b567", "a refused format changes nothing");
            }
            finally
            {
                RegionalFormat.Reset();
            }
        }
    }

    // The batch calls against the single ones, in several units and with non-ASCII texts.
    static void Columns()
    {
        double[] values = { 1689.1, -88.9, 0, 1e300, double.NaN, 10.504166666666666, 1e6 };
        foreach (var name in new[] { "feet-inch-fraction", "degrees-minutes-seconds", "square-metres" })
        {
            using (var unit = new Unit(name))
            {
                string[] texts = unit.DisplayMany(values, DisplayOptions.WithUnits);
                Equal(texts.Length, values.Length, name + " count");
                for (int i = 0; i < values.Length; ++i)
                    Equal(texts[i], unit.Display(values[i], DisplayOptions.WithUnits), name + " item " + i);
                Equal(unit.DisplayMany(new ReadOnlySpan<double>(values, 1, 2), DisplayOptions.None, '-')[1],
                      unit.Display(values[2], DisplayOptions.None, '-'), name + " slice");
                Equal(unit.DisplayMany(new double[0]).Length, 0, name + " empty");
            }
        }
        using (var unit = new Unit("feet-inch-fraction"))
        {
            var texts = new[] { "5' 7 1/4\"", "12'", "5\u2032 6\u00bd\u2033", "", "5' 6 1/", "\ud800", "x" };
            var statuses = new ReadStatus[texts.Length];
            double[] read = unit.ReadMany(texts, statuses);
            Equal(read[0], unit.Read(texts[0]), "read item 0");
            Equal(read[2], unit.Read(texts[2]), "read item 2");
            Equal(string.Join(",", statuses), "Complete,Complete,Complete,Incomplete,Incomplete,Invalid,Invalid",
                  "read statuses");
            Expect(double.IsNaN(read[4]), "NaN for an incomplete text");
            Equal(unit.ReadMany(new[] { "1'", "2'" })[1], unit.Read("2'"), "read without statuses");
            bool threw = false;
            try { unit.ReadMany(new[] { "1'", "5' x\"" }); }
            catch (ReadException e) { threw = e.Index == 1 && e.Message.StartsWith("item 1"); }
            Expect(threw, "ReadException names the item");
        }
    }

    static void Formats()
    {
        const double inch = 25.4;
        var cases = new[] {
            Tuple.Create("millimetres", -12.4, new FormatOptions { Increment = "5 mm", Rounding = Rounding.Up }, "-10"),
            Tuple.Create("millimetres", -12.4, new FormatOptions { Increment = "5 mm", Rounding = Rounding.Down }, "-15"),
            Tuple.Create("millimetres", 12.3, new FormatOptions { IncrementValue = 0.25 }, "12.25"),
            Tuple.Create("kilonewtons", 12345.0, new FormatOptions { SignificantDigits = 3 }, "12300"),
            Tuple.Create("metres", -0.0001, new FormatOptions { PlusSign = true }, "\u00b10.000"),
            Tuple.Create("feet-inch-fraction", -3.5 * inch, new FormatOptions { Typographic = true }, "\u22123\u00bd\u2033"),
            Tuple.Create("millimetres", 12.3456, new FormatOptions { InexactMarker = true }, "~12.35"),
            Tuple.Create("feet-inch-fraction", 66.5 * inch,
                         new FormatOptions { HideZeroFeet = false, Separator = '-', Increment = "1/4\"" }, "5'-6 1/2\""),
            Tuple.Create("metres", 1500.0, new FormatOptions { WithSymbol = true, TrimTrailingZeros = true }, "1.5 m"),
            Tuple.Create("feet-inch-fraction", 66.5 * inch, (FormatOptions)null, "5' 6 1/2\""),
        };
        foreach (var c in cases)
        {
            using (var unit = new Unit(c.Item1))
            {
                Equal(unit.Format(c.Item2, c.Item3), c.Item4, "format " + c.Item1 + " " + c.Item2);
                string[] many = unit.FormatMany(new[] { c.Item2, 1e300, c.Item2 }, c.Item3);
                Equal(many[2], c.Item4, "format many " + c.Item1 + " " + c.Item2);
                Equal(many[1], unit.Format(1e300, c.Item3), "format many, long text");
            }
        }
        using (var unit = new Unit("millimetres"))
        {
            Equal(unit.FormatMany(new double[0]).Length, 0, "format many, empty");
            bool threw = false;
            try { unit.Format(1, new FormatOptions { Rounding = (Rounding)7 }); }
            catch (ArgumentException) { threw = true; }
            Expect(threw, "an unknown rounding is refused");
        }
    }

    // Directions in a degrees-minutes-seconds unit, formatted and read back under the same
    // style and convention; the internal angles are the compass ones worked out by hand.
    static void Directions()
    {
        const double bearing = 45 + 30 / 60.0 + 15 / 3600.0;  // N 45°30'15" E
        var cases = new[] {
            Tuple.Create(90 - bearing, AngleStyle.Bearing, AngleZero.East, AngleSense.Counterclockwise,
                         "N 45\u00b030'15\" E"),
            Tuple.Create(135.25, AngleStyle.Azimuth, AngleZero.East, AngleSense.Counterclockwise,
                         "314\u00b045'0\""),
            Tuple.Create(225.25, AngleStyle.Bearing, AngleZero.North, AngleSense.Clockwise,
                         "S 45\u00b015'0\" W"),
            Tuple.Create(30.5, AngleStyle.Azimuth, AngleZero.South, AngleSense.Clockwise,
                         "210\u00b030'0\""),
        };
        using (var unit = new Unit("degrees-minutes-seconds"))
        {
            foreach (var c in cases)
            {
                var options = new FormatOptions { AngleStyle = c.Item2, AngleZero = c.Item3, AngleSense = c.Item4 };
                string what = c.Item2 + " " + c.Item3 + " " + c.Item4 + " " + c.Item1;
                Equal(unit.Format(c.Item1, options), c.Item5, "format " + what);
                Expect(Math.Abs(unit.Read(c.Item5, c.Item2, c.Item3, c.Item4) - c.Item1) < 1e-12, "read " + what);
            }
            Equal(unit.Format(10.504166666666666), "10\u00b030'15\"", "plain by default");
        }
        // The C# record is the library's whole record: asked to fill more, it writes its own size.
        int room = (int)FormatNative.OptionsSize + 64;
        IntPtr bytes = System.Runtime.InteropServices.Marshal.AllocHGlobal(room);
        try
        {
            FormatNative.pelunits_format_options_init_bytes(bytes, (UIntPtr)room);
            var record = System.Runtime.InteropServices.Marshal.PtrToStructure<FormatNative.Options>(bytes);
            Equal(record.StructSize, FormatNative.OptionsSize, "record size");
            Equal(record.Separator, (uint)' ', "record layout");
        }
        finally
        {
            System.Runtime.InteropServices.Marshal.FreeHGlobal(bytes);
        }
    }

    static int Main()
    {
        Formats();
        Directions();
        Columns();
        Displays();
        CodesAndSettings();
        CodesAreThoseOfTheCHeader();
        TypedReadersAndValidators();
        Errors();
        ExactReader();
        HostRegionalFormat();
        Console.WriteLine(failures == 0 ? ".NET binding: all checks passed" : failures + " checks failed");
        return failures == 0 ? 0 : 1;
    }
}
