function FindProxyForURL(url, host) { var s = 'a'.repeat(3000000); return String(s.indexOf('a'.repeat(1000000) + 'b')) + shExpMatch(s, '*' + 'a'.repeat(1000000) + 'b'); }
