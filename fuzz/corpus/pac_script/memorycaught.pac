function FindProxyForURL(url, host) { var a = []; try { for (;;) a.push({n: a.length}); } catch (e) {} for (;;) try { a.push(1); } catch (e) {} }
