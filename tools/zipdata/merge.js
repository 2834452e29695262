'use strict';
// The merge rules of the zip table, as pure functions of the two sets' contents, so that
// they can be tested on a few hand-made lines: every distinct (zip, city, state) triple,
// cities in upper case, both spellings of a name where the sets differ; rows without a
// state left out, except the military zips that no source gives a state: those take the
// state the USPS assigns to their first three digits.

// GeoNames US.txt: tab-separated, zip in column 2, place in 3, state code in 5.
function readGeoNames(text) {
  const rows = [];
  for (const line of text.split('\n')) {
    if (line.trim() === '') continue;
    const fields = line.replace(/\r$/, '').split('\t');
    rows.push({ zip: fields[1] ?? '', city: fields[2] ?? '', state: fields[4] ?? '' });
  }
  return rows;
}

// The zipcodes package's table: an object of { zip, city, state, ... } records.
function readZipcodes(codes) {
  return Object.values(codes).map((c) => ({
    zip: String(c.zip ?? ''),
    city: String(c.city ?? ''),
    state: String(c.state ?? ''),
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
  return { lines: sorted, military, dropped };
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

module.exports = { readGeoNames, readZipcodes, militaryState, merge, diffSummary };
