'use strict';
// The point rules on hand-made shapes: a square state, two counties in it, a few Census
// points. Run: node points.test.js
const test = require('node:test');
const assert = require('node:assert');
const { shapeOf, holds, milesFrom } = require('./shapes');
const { checkPoints, verifyPoints } = require('./points');

const square = (west, south, east, north) =>
  shapeOf({
    type: 'Polygon',
    coordinates: [[[west, south], [east, south], [east, north], [west, north], [west, south]]],
  });
// New Hampshire as a square of 2 by 2 degrees; Vermont beside it. West county and East
// county halve New Hampshire; a Vermont county lies over its west edge.
const shapes = { 33: square(-72, 42, -70, 44), 50: square(-74, 42, -72, 44) };
const counties = [
  { id: '33001', name: 'West', shape: square(-72, 42, -71, 44) },
  { id: '33003', name: 'East', shape: square(-71, 42, -70, 44) },
  { id: '50001', name: 'Border', shape: square(-72.5, 42, -71.5, 44) },
];

// A table of zips: [zip, state, latitude, longitude, county]; and the Census points.
function run(rows, census = {}) {
  const table = {
    attributes: new Map(
      rows.map(([zip, , latitude, longitude, county = '']) => [
        zip,
        { county, countyFips: county ? '33999' : '', latitude, longitude, timezone: '' },
      ])
    ),
  };
  const states = new Map(rows.map(([zip, state]) => [zip, state]));
  const places = {
    stateOf: (zip) => states.get(zip),
    fipsOf: (state) => ({ NH: '33', VT: '50' })[state],
    shapeOf: (state) => shapes[{ NH: '33', VT: '50' }[state]],
    census,
    counties,
    timeZoneAt: (latitude, longitude) => `Zone/${latitude}_${longitude}`,
  };
  const done = checkPoints(table, places);
  const row = (zip) => {
    const a = table.attributes.get(zip);
    return [a.latitude, a.longitude, a.county, a.countyFips, a.timezone].join('|');
  };
  return { table, places, done, row };
}

test('a point at 0,0 or far outside its state is none; a coastal one stays', () => {
  const { done, row } = run([
    ['03001', 'NH', '0', '0', 'East'],
    ['03002', 'NH', '43', '73.5', 'East'], // its sign lost: in another continent
    ['03003', 'NH', '43', '-69.9', 'East'], // 5 miles off its coast
    ['03004', 'NH', '45', '-71', 'East'], // 69 miles north of it
  ]);
  assert.strictEqual(row('03001'), '||East|33999|');
  assert.strictEqual(row('03002'), '||East|33999|');
  assert.strictEqual(row('03003'), '43|-69.9|East|33999|Zone/43_-69.9');
  assert.strictEqual(row('03004'), '||East|33999|');
  assert.strictEqual(done.placeholders, 1);
  assert.deepStrictEqual(done.outside, ['03002 NH', '03004 NH']);
});

test('the Census point checks ours: the one inside is kept, both inside the Census one', () => {
  const census = {
    '03001': { latitude: 43.01, longitude: -71.5 }, // a mile from ours
    '03002': { latitude: 42.2, longitude: -70.2 }, // 137 miles from ours, both inside
    '03003': { latitude: 43, longitude: -69.9 }, // off the coast; ours inside, 77 miles away
    '03004': { latitude: 43, longitude: -71.5 }, // inside; ours off the coast, 81 miles away
    '03005': { latitude: 43.5, longitude: -71.5 }, // ours at 0,0: the Census one is taken
    '03006': { latitude: 43.5, longitude: -75.5 }, // outside: never taken
  };
  const { done, row } = run(
    [
      ['03001', 'NH', '43', '-71.5', 'X'],
      ['03002', 'NH', '43.8', '-71.8', 'X'],
      ['03003', 'NH', '43.2', '-71.4', 'X'],
      ['03004', 'NH', '43', '-69.9', 'X'],
      ['03005', 'NH', '0', '0', 'X'],
      ['03006', 'NH', '0', '0', 'X'],
    ],
    census
  );
  assert.deepStrictEqual(
    ['03001', '03002', '03003', '03004', '03005', '03006'].map((zip) => row(zip).split('|').slice(0, 2).join(',')),
    ['43,-71.5', '42.2,-70.2', '43.2,-71.4', '43,-71.5', '43.5,-71.5', ',']
  );
  assert.strictEqual(done.compared, 4);
  assert.strictEqual(done.farApart, 3);
  assert.strictEqual(done.takenFromCensus, 2);
  assert.strictEqual(done.filledFromCensus, 1);
  assert.strictEqual(done.medianDifference.toFixed(1), '78.9'); // of 0.7, 76.9, 80.9, 137.0
});

test('zips of a state without a shape keep any point but 0,0', () => {
  const { row, done } = run([
    ['09001', 'AE', '38.1105', '15.6613'],
    ['09002', 'AE', '0', '0'],
    ['09003', 'AE', '51.5', '0'], // on the meridian of Greenwich: a point
  ]);
  assert.strictEqual(row('09001'), '38.1105|15.6613|||Zone/38.1105_15.6613');
  assert.strictEqual(row('09003'), '51.5|0|||Zone/51.5_0');
  assert.strictEqual(row('09002'), '||||');
  assert.strictEqual(done.placeholders, 1);
});

test("a zip without a county takes the one county of its state that holds its point", () => {
  const { row, done } = run([
    ['03001', 'NH', '43', '-70.5'], // East alone
    ['03002', 'NH', '43', '-71.8'], // West, and Vermont's Border, which is not New Hampshire's
    ['03003', 'NH', '43', '-69.95'], // off the coast: no county holds it
    ['03004', 'NH', '43', '-70.5', 'Kept'], // a county of its own stays
  ]);
  assert.strictEqual(row('03001'), '43|-70.5|East|33003|Zone/43_-70.5');
  assert.strictEqual(row('03002'), '43|-71.8|West|33001|Zone/43_-71.8');
  assert.strictEqual(row('03003'), '43|-69.95|||Zone/43_-69.95');
  assert.strictEqual(row('03004'), '43|-70.5|Kept|33999|Zone/43_-70.5');
  assert.strictEqual(done.countiesFromShapes, 2);
  assert.strictEqual(done.timeZones, 4);
});

test('the table is not written with a point at 0,0 or outside its state', () => {
  const { table, places } = run([['03001', 'NH', '43', '-71.5']]);
  verifyPoints(table, places);
  table.attributes.get('03001').latitude = '0';
  table.attributes.get('03001').longitude = '0';
  assert.throws(() => verifyPoints(table, places), /the point of 03001 \(NH\) is at latitude 0/);
  table.attributes.get('03001').latitude = '43';
  table.attributes.get('03001').longitude = '-73';
  assert.throws(() => verifyPoints(table, places), /03001 \(NH\) is 51 miles outside its state/);
});

test('a point level with a corner of a shape is inside it, and one beside it is not', () => {
  const diamond = shapeOf({
    type: 'Polygon',
    coordinates: [[[-71, 42], [-70, 43], [-71, 44], [-72, 43], [-71, 42]]],
  });
  assert.strictEqual(holds(diamond, [-71.5, 43]), true);
  assert.strictEqual(holds(diamond, [-71, 42.5]), true);
  assert.strictEqual(holds(diamond, [-72.5, 43]), false);
  assert.strictEqual(holds(diamond, [-70.2, 42.5]), false);
});

test("the miles from a point to its state's edge: off each side and off a corner", () => {
  const mile = 1 / ((Math.PI / 180) * 3958.8); // degrees of latitude in a mile
  const across = (latitude) => mile / Math.cos((latitude * Math.PI) / 180); // of longitude
  const cases = [
    [[-71, 44 + 3 * mile], 3], // north of New Hampshire's square
    [[-71.5, 42 - 7 * mile], 7], // south
    [[-70 + 5 * across(43), 43], 5], // east
    [[-72 - 9 * across(42.5), 42.5], 9], // west
    [[-70 + 3 * across(44), 44 + 4 * mile], 5], // north-east of its corner
    [[-71, 43], 0],
  ];
  for (const [point, miles] of cases) {
    const found = milesFrom(shapes[33], point);
    assert.ok(Math.abs(found - miles) < 0.01, `${point}: ${found} miles, not ${miles}`);
  }
});
