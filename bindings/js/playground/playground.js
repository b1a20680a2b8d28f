// The playground: choose a unit and its settings, type a text, and see as you type
// what the exact reader makes of it and how every unit of that quantity shows it.
"use strict";
globalThis.PelUnitsReady.then((pelunits) => {
  const { Unit, ReadError, ReadStatus } = pelunits;
  const $ = (id) => document.getElementById(id);
  const internalUnits = ["mm", "°", "g", "kN", "kNm", "N/mm²"];
  const powers = ["", "", "²", "³", "⁴"];
  const stateNames = { [ReadStatus.COMPLETE]: "complete", [ReadStatus.INCOMPLETE]: "incomplete", [ReadStatus.INVALID]: "invalid" };

  const descriptions = pelunits.unitDescriptions();
  const named = pelunits.units().map((name) => ({ name, unit: new Unit(name) }));
  for (const { name } of named) {
    const option = new Option(name, name, name === "feet-inch-fraction", name === "feet-inch-fraction");
    option.title = descriptions[name];
    $("unit").add(option);
  }

  let unit = null;
  function chooseUnit() {
    if (unit) unit.free();
    unit = new Unit($("unit").value, { regional: $("regional").checked });
    $("precision").value = unit.precision;
    update();
  }

  // "#fraction(r,l,s,p,n,d)" is the markup's fraction: s = 1 asks for it stacked.
  const markup = /#fraction\(-?\d+,-?\d+,(\d+),[-\d.]+,(\d+),(\d+)\)/g;
  function showMarkup(target, text) {
    target.replaceChildren();
    let at = 0;
    for (const found of text.matchAll(markup)) {
      target.append(text.slice(at, found.index));
      if (found[1] === "1") {
        const fraction = document.createElement("span");
        fraction.className = "fraction";
        const numerator = document.createElement("span");
        const denominator = document.createElement("span");
        numerator.textContent = found[2];
        denominator.textContent = found[3];
        fraction.append(numerator, denominator);
        target.append(fraction);
      } else {
        target.append(`${found[2]}/${found[3]}`);
      }
      at = found.index + found[0].length;
    }
    target.append(text.slice(at));
  }

  // The typed text with the place where reading stopped marked.
  function showEcho(text, position) {
    const echo = $("echo");
    echo.replaceChildren();
    if (position === null) {
      echo.removeAttribute("data-position");
      echo.append(text);
      return;
    }
    echo.dataset.position = String(position);
    const mark = document.createElement("mark");
    if (position < text.length) {
      const end = position + (text.codePointAt(position) > 0xffff ? 2 : 1);
      mark.textContent = text.slice(position, end);
      echo.append(text.slice(0, position), mark, text.slice(end));
    } else {
      mark.className = "caret";
      mark.textContent = "▮";
      echo.append(text, mark);
    }
  }

  function update() {
    const text = $("text").value;
    let status = ReadStatus.COMPLETE;
    let value = 0;
    let reason = "";
    let position = null;
    try {
      value = unit.read(text);
    } catch (error) {
      if (!(error instanceof ReadError)) throw error;
      status = error.incomplete ? ReadStatus.INCOMPLETE : ReadStatus.INVALID;
      reason = error.reason;
      position = error.position;
    }
    const name = stateNames[status];
    $("result").className = name;
    $("state").textContent = name;
    $("message").textContent = reason;
    showEcho(text, position);
    const complete = status === ReadStatus.COMPLETE;
    const separator = $("separator").value;
    $("value").textContent = complete ? String(value) : "";
    $("internal").textContent = complete ? internalUnits[unit.quantity] + (unit.quantity === 0 ? powers[unit.power] : "") : "";
    $("display").textContent = complete ? unit.display(value, { separator }) : "";
    showMarkup($("stacked"), complete ? unit.displayArch(value, { separator, stacked: true, inchMark: unit.isFractional }) : "");

    const rows = $("everyUnit").tBodies[0];
    rows.replaceChildren();
    if (!complete) return;
    for (const other of named) {
      if (other.unit.quantity !== unit.quantity || other.unit.power !== unit.power) continue;
      other.unit.regional = $("regional").checked;
      const row = rows.insertRow();
      row.insertCell().textContent = other.name;
      row.insertCell().textContent = other.unit.display(value, { separator, withUnits: !other.unit.isFractional });
    }
  }

  $("unit").addEventListener("change", chooseUnit);
  $("regional").addEventListener("change", chooseUnit);
  $("separator").addEventListener("change", update);
  $("precision").addEventListener("change", () => {
    try {
      unit.precision = Number($("precision").value);
    } catch {
      $("precision").value = unit.precision;
    }
    update();
  });
  $("text").addEventListener("input", update);
  chooseUnit();
  $("loading").className = "ready";
  document.body.dataset.ready = "true";
});
