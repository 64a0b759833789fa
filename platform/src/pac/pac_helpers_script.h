// The PAC helpers written in JavaScript itself, over the native dnsResolve.
#pragma once

namespace platform::pac {

constexpr char kPacHelpersScript[] = R"js(
function isPlainHostName(host) { return String(host).indexOf('.') < 0; }

function dnsDomainIs(host, domain) {
  host = String(host); domain = String(domain);
  return host.length >= domain.length && host.substring(host.length - domain.length) === domain;
}

function localHostOrDomainIs(host, hostdom) {
  host = String(host); hostdom = String(hostdom);
  return host === hostdom || (host.indexOf('.') < 0 && hostdom.indexOf(host + '.') === 0);
}

function isResolvable(host) { return dnsResolve(host) !== null; }

function dnsDomainLevels(host) { return String(host).split('.').length - 1; }

function __pacIpv4(text) {
  var parts = String(text).split('.');
  if (parts.length !== 4) return null;
  var value = 0;
  for (var i = 0; i < 4; i++) {
    if (!/^[0-9]{1,3}$/.test(parts[i]) || Number(parts[i]) > 255) return null;
    value = value * 256 + Number(parts[i]);
  }
  return value;
}

function isInNet(host, pattern, mask) {
  var address = __pacIpv4(host) !== null ? host : dnsResolve(host);
  var a = address === null ? null : __pacIpv4(address), p = __pacIpv4(pattern), m = __pacIpv4(mask);
  if (a === null || p === null || m === null) return false;
  return ((a & m) >>> 0) === ((p & m) >>> 0);
}

function alert() {}

var __pacDays = ['SUN', 'MON', 'TUE', 'WED', 'THU', 'FRI', 'SAT'];
var __pacMonths = ['JAN', 'FEB', 'MAR', 'APR', 'MAY', 'JUN', 'JUL', 'AUG', 'SEP', 'OCT', 'NOV', 'DEC'];

// The arguments without a trailing "GMT", and whether it was there.
function __pacRangeArguments(list) {
  var args = Array.prototype.slice.call(list);
  var gmt = args.length > 0 && args[args.length - 1] === 'GMT';
  if (gmt) args.pop();
  return { args: args, gmt: gmt };
}

// first <= value <= last, around the end of the cycle when first > last.
function __pacInRange(value, first, last) {
  return first <= last ? first <= value && value <= last : value >= first || value <= last;
}

function weekdayRange() {
  var r = __pacRangeArguments(arguments), now = new Date();
  var today = r.gmt ? now.getUTCDay() : now.getDay();
  var first = __pacDays.indexOf(String(r.args[0]).toUpperCase());
  var last = r.args.length > 1 ? __pacDays.indexOf(String(r.args[1]).toUpperCase()) : first;
  return first >= 0 && last >= 0 && __pacInRange(today, first, last);
}

function timeRange() {
  var r = __pacRangeArguments(arguments), now = new Date(), a = r.args.map(Number);
  var seconds = r.gmt ? now.getUTCHours() * 3600 + now.getUTCMinutes() * 60 + now.getUTCSeconds()
                      : now.getHours() * 3600 + now.getMinutes() * 60 + now.getSeconds();
  if (a.length === 1) return Math.floor(seconds / 3600) === a[0];
  if (a.length === 2) return __pacInRange(seconds, a[0] * 3600, a[1] * 3600 - 1);
  if (a.length === 4) return __pacInRange(seconds, a[0] * 3600 + a[1] * 60, a[2] * 3600 + a[3] * 60 - 1);
  if (a.length === 6) return __pacInRange(seconds, a[0] * 3600 + a[1] * 60 + a[2], a[3] * 3600 + a[4] * 60 + a[5]);
  return false;
}

function dateRange() {
  var r = __pacRangeArguments(arguments), now = new Date();
  var current = { d: r.gmt ? now.getUTCDate() : now.getDate(),
                  m: r.gmt ? now.getUTCMonth() : now.getMonth(),
                  y: r.gmt ? now.getUTCFullYear() : now.getFullYear() };
  var parts = r.args.map(function (value) {
    var month = __pacMonths.indexOf(String(value).toUpperCase());
    if (month >= 0) return { kind: 'm', value: month };
    return { kind: Number(value) >= 1000 ? 'y' : 'd', value: Number(value) };
  });
  if (parts.length === 1) return current[parts[0].kind] === parts[0].value;
  if (parts.length === 0 || parts.length % 2 !== 0) return false;
  var weight = { y: 10000, m: 100, d: 1 }, half = parts.length / 2, first = 0, last = 0, today = 0;
  for (var i = 0; i < half; i++) {
    first += weight[parts[i].kind] * parts[i].value;
    last += weight[parts[half + i].kind] * parts[half + i].value;
    today += weight[parts[i].kind] * current[parts[i].kind];
  }
  return __pacInRange(today, first, last);
}
)js";

}  // namespace platform::pac
