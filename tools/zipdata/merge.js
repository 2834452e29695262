'use strict';
// The merge rules of the zip table, as pure functions of the two sets' contents, so that
// they can be tested on a few hand-made lines: every distinct (zip, city, state) triple,
// cities in upper case, both spellings of a name where the sets differ; rows without a
// state left out, except the military zips that no source gives a state: those take the
// state the USPS assigns to their first three digits. Each zip's own attributes (county,
// county FIPS code, latitude, longitude) come from GeoNames, else the coordinates from the
// zipcodes table, and repeat on every line of the zip.

// The table's columns, in order: the header line of data/us-zip-codes.tsv.
const columns = [
  'zip', 'city', 'state', 'county', 'county_fips', 'latitude', 'longitude', 'timezone',
];

// The FIPS codes of the states and territories, the first two digits of a county's code.
const stateFips = {
  AL: '01', AK: '02', AZ: '04', AR: '05', CA: '06', CO: '08', CT: '09', DE: '10', DC: '11',
  FL: '12', GA: '13', HI: '15', ID: '16', IL: '17', IN: '18', IA: '19', KS: '20', KY: '21',
  LA: '22', ME: '23', MD: '24', MA: '25', MI: '26', MN: '27', MS: '28', MO: '29', MT: '30',
  NE: '31', NV: '32', NH: '33', NJ: '34', NM: '35', NY: '36', NC: '37', ND: '38', OH: '39',
  OK: '40', OR: '41', PA: '42', RI: '44', SC: '45', SD: '46', TN: '47', TX: '48', UT: '49',
  VT: '50', VA: '51', WA: '53', WV: '54', WI: '55', WY: '56', AS: '60', FM: '64', GU: '66',
  MH: '68', MP: '69', PW: '70', PR: '72', UM: '74', VI: '78',
};

// GeoNames US.txt: tab-separated, zip in column 2, place in 3, state code in 5, county
// name in 6, county code (three digits within the state) in 7, latitude and longitude in
// 10 and 11.
function readGeoNames(text) {
  const rows = [];
  for (const line of text.split('\n')) {
    if (line.trim() === '') continue;
    const fields = line.replace(/\r$/, '').split('\t');
    rows.push({
      zip: fields[1] ?? '',
      city: fields[2] ?? '',
      state: fields[4] ?? '',
      county: fields[5] ?? '',
      countyCode: fields[6] ?? '',
      latitude: fields[9] ?? '',
      longitude: fields[10] ?? '',
    });
  }
  return rows;
}

// The zipcodes package's table: an object of { zip, city, state, latitude, longitude }.
function readZipcodes(codes) {
  return Object.values(codes).map((c) => ({
    zip: String(c.zip ?? ''),
    city: String(c.city ?? ''),
    state: String(c.state ?? ''),
    latitude: c.latitude === undefined ? '' : String(c.latitude),
    longitude: c.longitude === undefined ? '' : String(c.longitude),
  }));
}

// The state of a military zip code by its first three digits; undefined for any other.
function militaryState(zip) {
  const prefix = Number(zip.slice(0, 3));
  if (!/^\d{5}$/.test(zip)) return undefined;
  if (prefix >= 90 && prefix <= 98) return 'AE';
  if (prefix === 340) return 'AA';
  if (prefix >= 962 && prefix <= 966) return 'AP';
  return undefined;
}

function clean(text) {
  return text.trim().toUpperCase();
}

// Each zip's own attributes: the first GeoNames row of the zip gives its county, the
// county's five-digit FIPS code (the state's two digits and GeoNames' three) and its
// coordinates; a zip GeoNames lacks takes the coordinates of the zipcodes table and no
// county.
function attributesOf(geoRows, zipRows) {
  const attributes = new Map();
  for (const row of geoRows) {
    const zip = row.zip.trim();
    if (!/^\d{5}$/.test(zip) || attributes.has(zip)) continue;
    const state = clean(row.state) || militaryState(zip) || '';
    const code = (row.countyCode ?? '').trim();
    attributes.set(zip, {
      county: (row.county ?? '').trim(),
      countyFips: /^\d{3}$/.test(code) && stateFips[state] ? stateFips[state] + code : '',
      latitude: (row.latitude ?? '').trim(),
      longitude: (row.longitude ?? '').trim(),
      timezone: '',
    });
  }
  for (const row of zipRows) {
    const zip = row.zip.trim();
    if (!/^\d{5}$/.test(zip) || attributes.has(zip)) continue;
    const latitude = (row.latitude ?? '').trim();
    const longitude = (row.longitude ?? '').trim();
    attributes.set(zip, { county: '', countyFips: '', latitude, longitude, timezone: '' });
  }
  for (const [zip, a] of attributes)
    if (/[\x00-\x1f\x7f]/.test(Object.values(a).join('')))
      throw new Error(`a control character in the attributes of ${zip}`);
  return attributes;
}

// The table's text: the header, then every line with its zip's attributes.
function tableText(table) {
  const none = { county: '', countyFips: '', latitude: '', longitude: '', timezone: '' };
  const lines = table.lines.map((line) => {
    const a = table.attributes.get(line.slice(0, 5)) ?? none;
    return [line, a.county, a.countyFips, a.latitude, a.longitude, a.timezone].join('\t');
  });
  return [columns.join('\t'), ...lines].join('\n') + '\n';
}

// The zip, city and state lines of a table's text, for comparing two versions.
function placeLines(text) {
  return text
    .split('\n')
    .slice(1)
    .filter((line) => line !== '')
    .map((line) => line.split('\t').slice(0, 3).join('\t'));
}

// The table's lines, ZIP<TAB>CITY<TAB>STATE, sorted and distinct, and what was done to
// get there. Throws on a line that is not ASCII: the table and the database are ASCII.
function merge(geoRows, zipRows) {
  const lines = new Set();
  const stated = new Set(); // zips some source gives a state
  const stateless = [];
  for (const row of [...geoRows, ...zipRows]) {
    const zip = row.zip.trim();
    if (!/^\d{5}$/.test(zip)) continue;
    const city = clean(row.city);
    const state = clean(row.state);
    if (city === '') continue;
    if (state === '') {
      stateless.push({ zip, city });
      continue;
    }
    stated.add(zip);
    lines.add(`${zip}\t${city}\t${state}`);
  }
  let military = 0;
  let dropped = 0;
  for (const { zip, city } of stateless) {
    const state = stated.has(zip) ? undefined : militaryState(zip);
    if (state === undefined) {
      dropped++;
      continue;
    }
    const line = `${zip}\t${city}\t${state}`;
    if (!lines.has(line)) military++;
    lines.add(line);
  }
  const sorted = [...lines].sort();
  for (const line of sorted)
    if (!/^[\x20-\x7e\t]*$/.test(line)) throw new Error(`not ASCII: ${JSON.stringify(line)}`);
  return { lines: sorted, military, dropped, attributes: attributesOf(geoRows, zipRows) };
}

function byZip(lines) {
  const places = new Map();
  for (const line of lines) {
    const [zip, city, state] = line.split('\t');
    if (!places.has(zip)) places.set(zip, new Set());
    places.get(zip).add(`${city}, ${state}`);
  }
  return places;
}

// What changed between two versions of the table, by zip code: zips added, zips removed,
// and zips whose places changed (renamed), each with its places before and after.
function diffSummary(oldLines, newLines) {
  const before = byZip(oldLines);
  const after = byZip(newLines);
  const added = [...after.keys()].filter((zip) => !before.has(zip));
  const removed = [...before.keys()].filter((zip) => !after.has(zip));
  const renamed = [...after.keys()].filter((zip) => {
    if (!before.has(zip)) return false;
    const was = [...before.get(zip)].sort().join(' / ');
    return was !== [...after.get(zip)].sort().join(' / ');
  });
  const show = (zip, places) => `${zip} ${places ? [...places].sort().join(' / ') : '-'}`;
  return {
    added: added.map((zip) => show(zip, after.get(zip))),
    removed: removed.map((zip) => show(zip, before.get(zip))),
    renamed: renamed.map(
      (zip) => `${show(zip, before.get(zip))} -> ${[...after.get(zip)].sort().join(' / ')}`
    ),
  };
}

// The state of each zip: that of its first line.
function statesOf(lines) {
  const states = new Map();
  for (const line of lines) {
    const [zip, , state] = line.split('\t');
    if (!states.has(zip)) states.set(zip, state);
  }
  return states;
}

module.exports = {
  columns,
  stateFips,
  statesOf,
  readGeoNames,
  readZipcodes,
  militaryState,
  merge,
  tableText,
  placeLines,
  diffSummary,
};
