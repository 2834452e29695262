'use strict';
// The merge rules on a few hand-made lines of each set. Run: node merge.test.js
const test = require('node:test');
const assert = require('node:assert');
const {
  readGeoNames,
  readZipcodes,
  militaryState,
  merge,
  tableText,
  diffSummary,
} = require('./merge');

const geo = (...rows) => readGeoNames(rows.map((r) => `US\t${r.join('\t')}`).join('\n'));
// GeoNames columns after the country: zip, place, state name, state code.
const nh = (zip, place) => [zip, place, 'New Hampshire', 'NH', 'Rockingham', '015'];
const zipcodes = (...rows) =>
  readZipcodes(Object.fromEntries(rows.map(([zip, city, state]) => [zip, { zip, city, state }])));

test('every distinct triple once, cities in upper case, sorted', () => {
  const { lines } = merge(
    geo(nh('03060', 'Nashua'), nh('03053', 'Londonderry'), nh('03060', 'Nashua')),
    zipcodes(['03060', 'NASHUA', 'NH'], ['01950', 'Newburyport', 'MA'])
  );
  assert.deepStrictEqual(lines, [
    '01950\tNEWBURYPORT\tMA',
    '03053\tLONDONDERRY\tNH',
    '03060\tNASHUA\tNH',
  ]);
});

test('both spellings stay where the sets differ', () => {
  const { lines } = merge(
    geo(['83814', "Coeur d'Alene", 'Idaho', 'ID']),
    zipcodes(['83814', 'Coeur D Alene', 'ID'])
  );
  assert.deepStrictEqual(lines, ["83814\tCOEUR D ALENE\tID", "83814\tCOEUR D'ALENE\tID"]);
});

test('a zip code with two places keeps both', () => {
  const { lines } = merge(geo(['11760', 'Melville', 'New York', 'NY']), zipcodes(['11760', 'Islandia', 'NY']));
  assert.deepStrictEqual(lines, ['11760\tISLANDIA\tNY', '11760\tMELVILLE\tNY']);
});

test('military zips without a state take the one of their prefix', () => {
  assert.strictEqual(militaryState('09001'), 'AE');
  assert.strictEqual(militaryState('09899'), 'AE');
  assert.strictEqual(militaryState('34002'), 'AA');
  assert.strictEqual(militaryState('96201'), 'AP');
  assert.strictEqual(militaryState('96699'), 'AP');
  for (const other of ['08999', '09900', '33999', '34100', '96199', '96700', '03053', '0900'])
    assert.strictEqual(militaryState(other), undefined, other);
  const table = merge(
    geo(['09025', 'APO AE', '', ''], ['34002', 'DPO', '', ''], ['96201', 'APO', '', '']),
    []
  );
  assert.deepStrictEqual(table.lines, ['09025\tAPO AE\tAE', '34002\tDPO\tAA', '96201\tAPO\tAP']);
  assert.strictEqual(table.military, 3);
});

test('a zip that a source gives a state keeps only that state', () => {
  const table = merge(geo(['09021', 'APO', '', '']), zipcodes(['09021', 'APO', 'AE']));
  assert.deepStrictEqual(table.lines, ['09021\tAPO\tAE']);
  assert.strictEqual(table.military, 0);
  assert.strictEqual(table.dropped, 1);
});

test('rows without a state outside the military prefixes, or without a place, are left out', () => {
  const table = merge(geo(['03053', 'Londonderry', '', ''], ['03060', '', 'New Hampshire', 'NH']), []);
  assert.deepStrictEqual(table.lines, []);
  assert.strictEqual(table.dropped, 1);
});

test('a place that is not ASCII stops the build', () => {
  assert.throws(() => merge(geo(['00610', 'Añasco', 'Puerto Rico', 'PR']), []), /not ASCII/);
});

test('CR LF lines of the GeoNames file read as LF ones', () => {
  const line = 'US\t03053\tLondonderry\tNew Hampshire\tNH\tRockingham\t015\t\t\t42.8656\t-71.3772\r\n';
  assert.deepStrictEqual(readGeoNames(line), [
    {
      zip: '03053',
      city: 'Londonderry',
      state: 'NH',
      county: 'Rockingham',
      countyCode: '015',
      latitude: '42.8656',
      longitude: '-71.3772',
    },
  ]);
});

test("a zip's own attributes: GeoNames first, the state's FIPS code before the county's", () => {
  const full = (zip, place, name, state, county, code, lat, lon) =>
    [zip, place, name, state, county, code, '', '', lat, lon];
  const table = merge(
    geo(
      full('03053', 'Londonderry', 'New Hampshire', 'NH', 'Rockingham', '015', '42.8656', '-71.3772'),
      full('11760', 'Melville', 'New York', 'NY', 'Suffolk', '103', '40.8105', '-73.4147'),
      full('09025', 'APO AE', '', '', '', '', '38.89', '-77.03'),
      full('87936', 'Garfield', 'New Mexico', 'NM', 'Do\u00f1a Ana', '013', '32.7557', '-107.2704')
    ),
    readZipcodes({
      '03053': { zip: '03053', city: 'Londonderry', state: 'NH', latitude: 42.9, longitude: -71.4 },
      '11760': { zip: '11760', city: 'Islandia', state: 'NY', latitude: 40.8, longitude: -73.2 },
      '00601': { zip: '00601', city: 'Adjuntas', state: 'PR', latitude: 18.16, longitude: -66.72 },
    })
  );
  assert.strictEqual(
    tableText(table),
    [
      'zip\tcity\tstate\tcounty\tcounty_fips\tlatitude\tlongitude\ttimezone',
      '00601\tADJUNTAS\tPR\t\t\t18.16\t-66.72\t', // in the zipcodes table alone
      '03053\tLONDONDERRY\tNH\tRockingham\t33015\t42.8656\t-71.3772\t', // in both
      '09025\tAPO AE\tAE\t\t\t38.89\t-77.03\t', // military: no state of its own, no FIPS
      '11760\tISLANDIA\tNY\tSuffolk\t36103\t40.8105\t-73.4147\t', // two names: repeated
      '11760\tMELVILLE\tNY\tSuffolk\t36103\t40.8105\t-73.4147\t',
      '87936\tGARFIELD\tNM\tDo\u00f1a Ana\t35013\t32.7557\t-107.2704\t', // a county not in ASCII
      '',
    ].join('\n')
  );
});

test('the diff summary names zips added, removed and renamed', () => {
  const summary = diffSummary(
    ['03053\tLONDONDERRY\tNH', '03060\tNASHUA\tNH', '11760\tMELVILLE\tNY'],
    ['03053\tLONDONDERRY\tNH', '11760\tISLANDIA\tNY', '11760\tMELVILLE\tNY', '34002\tDPO\tAA']
  );
  assert.deepStrictEqual(summary.added, ['34002 DPO, AA']);
  assert.deepStrictEqual(summary.removed, ['03060 NASHUA, NH']);
  assert.deepStrictEqual(summary.renamed, ['11760 MELVILLE, NY -> ISLANDIA, NY / MELVILLE, NY']);
});

test("a county's FIPS code keeps the leading zero of states 01 to 09", () => {
  const line = (zip, place, name, state, county, code) =>
    `US\t${zip}\t${place}\t${name}\t${state}\t${county}\t${code}\t\t\t41.3\t-72.9`;
  const table = merge(
    readGeoNames(
      [
        line('06460', 'Milford', 'Connecticut', 'CT', 'New Haven', '009'),
        line('35004', 'Moody', 'Alabama', 'AL', 'Saint Clair', '115'),
      ].join('\n')
    ),
    []
  );
  assert.strictEqual(table.attributes.get('06460').countyFips, '09009');
  assert.strictEqual(table.attributes.get('35004').countyFips, '01115');
});
