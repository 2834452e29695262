'use strict';
// The shapes of the states, territories and counties (us-atlas, the Census Bureau's
// cartographic boundaries at 1:10,000,000) as plain polygons of [longitude, latitude]
// rings, and the two questions the zip data asks of them: does a shape hold a point, and
// how far from a shape does a point lie. The rings are read on the plane of longitude and
// latitude: at the size of a state that is what the map's own lines are drawn on.

const EARTH_RADIUS_MILES = 3958.8;
const RADIANS = Math.PI / 180;

// A shape: its polygons (each an outer ring and its holes) and the box around them.
function shapeOf(geometry) {
  const polygons = geometry.type === 'Polygon' ? [geometry.coordinates] : geometry.coordinates;
  const box = [Infinity, Infinity, -Infinity, -Infinity];
  for (const polygon of polygons)
    for (const [x, y] of polygon[0]) {
      box[0] = Math.min(box[0], x);
      box[1] = Math.min(box[1], y);
      box[2] = Math.max(box[2], x);
      box[3] = Math.max(box[3], y);
    }
  return { polygons, box };
}

// The features of a TopoJSON object as { id, name, shape }, decoded by topojson-client.
function featuresOf(topology, objectName, topojson) {
  return topojson.feature(topology, topology.objects[objectName]).features.map((f) => ({
    id: String(f.id),
    name: f.properties?.name ?? '',
    shape: shapeOf(f.geometry),
  }));
}

function inRing([x, y], ring) {
  let inside = false;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const [xi, yi] = ring[i];
    const [xj, yj] = ring[j];
    if (yi > y !== yj > y && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi) inside = !inside;
  }
  return inside;
}

// Whether the shape holds the point [longitude, latitude].
function holds(shape, point) {
  const [x, y] = point;
  const [west, south, east, north] = shape.box;
  if (x < west || x > east || y < south || y > north) return false;
  return shape.polygons.some(
    (polygon) => inRing(point, polygon[0]) && !polygon.slice(1).some((hole) => inRing(point, hole))
  );
}

// Miles from the point to the segment a-b, on the plane that touches the earth at the
// point: exact enough for the few miles a coast's tolerance asks about.
function milesToSegment([x, y], a, b) {
  const across = Math.cos(y * RADIANS);
  const ax = (a[0] - x) * across;
  const ay = a[1] - y;
  const dx = (b[0] - x) * across - ax;
  const dy = b[1] - y - ay;
  const t = Math.max(0, Math.min(1, -(ax * dx + ay * dy) / (dx * dx + dy * dy || 1)));
  return Math.hypot(ax + t * dx, ay + t * dy) * RADIANS * EARTH_RADIUS_MILES;
}

// Miles from the point to the nearest edge of the shape (0 inside it).
function milesFrom(shape, point) {
  if (holds(shape, point)) return 0;
  let nearest = Infinity;
  for (const polygon of shape.polygons)
    for (const ring of polygon)
      for (let i = 1; i < ring.length; i++)
        nearest = Math.min(nearest, milesToSegment(point, ring[i - 1], ring[i]));
  return nearest;
}

// The great-circle distance between two points [longitude, latitude], in miles.
function milesBetween(a, b) {
  const h =
    Math.sin(((b[1] - a[1]) * RADIANS) / 2) ** 2 +
    Math.cos(a[1] * RADIANS) * Math.cos(b[1] * RADIANS) * Math.sin(((b[0] - a[0]) * RADIANS) / 2) ** 2;
  return 2 * EARTH_RADIUS_MILES * Math.asin(Math.min(1, Math.sqrt(h)));
}

module.exports = { shapeOf, featuresOf, holds, milesFrom, milesBetween };
