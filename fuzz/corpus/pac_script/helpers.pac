function FindProxyForURL(url, host) {
  if (isPlainHostName(host) || dnsDomainIs(host, '.corp.test') || localHostOrDomainIs(host, 'www.corp.test'))
    return 'DIRECT';
  if (isInNet(dnsResolve('127.0.0.1'), '127.0.0.0', '255.0.0.0') && isResolvable('10.0.0.1'))
    return 'PROXY 10.1.1.1:8080; DIRECT';
  if (shExpMatch(url, 'https://*.localhost/*') && dnsDomainLevels(host) > 1 && myIpAddress() !== '')
    return 'PROXY proxy.corp.test:3128; SOCKS s.test:1080';
  if (weekdayRange('MON', 'FRI') && timeRange(8, 18) && dateRange('JAN', 'DEC')) return 'PROXY day.corp.test:80';
  alert('no rule for ' + url);
  return 'DIRECT';
}
