'use strict';
// The days the two source packages were published, pinned in published.json beside the
// lock file. The registry's answer for a version has been seen to change after the fact,
// so the shipped texts are a function of what is committed: a rebuild asks the registry
// and writes the pins, a check reads them and only reports a registry that now differs.

const fs = require('fs');

// The pins as { "name@version": "YYYY-MM-DD" }; none when the file does not exist yet.
function readPins(file) {
  return fs.existsSync(file) ? JSON.parse(fs.readFileSync(file, 'utf8')) : {};
}

function pinsText(pins) {
  const sorted = Object.fromEntries(Object.keys(pins).sort().map((key) => [key, pins[key]]));
  return JSON.stringify(sorted, null, 2) + '\n';
}

// The pinned day of each package ({ name: version }), in the same shape.
function pinnedDates(pins, packages) {
  return Object.fromEntries(
    Object.entries(packages).map(([name, version]) => {
      const day = pins[`${name}@${version}`];
      if (!day) {
        throw new Error(`no publication date is pinned for ${name}@${version}: run node build.js`);
      }
      return [name, day];
    })
  );
}

// The pins that the registry's days ({ name: day }) contradict, one line each.
function disagreements(pins, packages, registryDays) {
  return Object.entries(packages)
    .filter(([name, version]) => registryDays[name] !== pins[`${name}@${version}`])
    .map(([name, version]) =>
      `the registry now dates ${name}@${version} ${registryDays[name]}; ` +
        `the pin keeps ${pins[`${name}@${version}`]}`
    );
}

// The pins of these packages ({ name: version }) at these days ({ name: day }).
function pinsOf(packages, days) {
  return Object.fromEntries(
    Object.entries(packages).map(([name, version]) => [`${name}@${version}`, days[name]])
  );
}

module.exports = { readPins, pinsText, pinnedDates, disagreements, pinsOf };
